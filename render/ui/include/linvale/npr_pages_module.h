// What a shader's pages module writes itself. The module links Linvale's
// pages entry (linvale_add_shader_pages in cmake/ does), which exports the
// functions of <linvale/npr_pages_interface.h> around NprMakePages; the
// module only defines that function.
#pragma once

#include <linvale/npr_page_dialog.h>

#include <memory>
#include <vector>

using NprPageList = std::vector<std::unique_ptr<NprPageDialog>>;

// Defined by each pages module: its pages in the order the settings dialog
// shows them, editing `settings`, the plug-in's own settings record. Called
// only while a widget application runs; may throw.
NprPageList NprMakePages(void* settings);

// The pages of types `Pages`, in that order, each made from `settings`.
template <typename... Pages, typename Settings>
NprPageList NprMakePageList(Settings& settings) {
  NprPageList pages;
  pages.reserve(sizeof...(Pages));
  (pages.push_back(std::make_unique<Pages>(settings)), ...);
  return pages;
}
