// The render defaults every engine of the process shares: whether a render
// follows the view's size, the size it takes otherwise, and the antialiasing
// level. The settings dialog's OK changes them; renderSceneAtSize overrides
// them for one render.
#pragma once

#include <linvale/npr_render_settings.h>

#include <windows.h>

namespace quorra {

struct RenderDefaults {
  bool useViewSize = true;
  SIZE imageSize{640, 480};
  NprRenderSettings::AntialiasStyle antialias = NprRenderSettings::AntialiasNormal;
};

RenderDefaults& SharedRenderDefaults();

// Puts the saved defaults back when the scope ends, however it ends.
class RenderDefaultsScope {
public:
  RenderDefaultsScope() : mSaved(SharedRenderDefaults()) {}
  ~RenderDefaultsScope() { SharedRenderDefaults() = mSaved; }
  RenderDefaultsScope(const RenderDefaultsScope&) = delete;
  RenderDefaultsScope& operator=(const RenderDefaultsScope&) = delete;

private:
  RenderDefaults mSaved;
};

}  // namespace quorra
