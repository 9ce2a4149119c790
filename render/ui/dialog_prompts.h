// The questions the settings dialog asks the user besides its own controls.
// They are hooks so that a test, or a host with its own look, can answer
// them without a modal box blocking the program.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace linvale::ui {

struct DialogPrompts {
  // The name to save the current parameters under; nullopt when cancelled.
  std::function<std::optional<QString>(QWidget* parent)> styleName;
  // Whether to replace the existing style file `path`.
  std::function<bool(QWidget* parent, const QString& path)> confirmOverwrite;
  // Whether to move the style file `path` to the trash.
  std::function<bool(QWidget* parent, const QString& path)> confirmRemove;
};

// The prompts as modal Qt dialogs.
DialogPrompts ModalPrompts();

}  // namespace linvale::ui
