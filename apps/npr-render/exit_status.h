// Exit statuses of npr-render, one per kind of failure so that scripts can
// tell them apart.
#pragma once

namespace npr_render {

enum ExitStatus : int {
  kSuccess = 0,
  kSettingsCancelled = 1,  // --settings: the dialog was cancelled
  kUsageError = 2,         // bad option or value
  kModelError = 3,         // model missing, unreadable or without surfaces
  kStyleError = 4,         // style not found, unreadable or for a missing shader
  kRenderError = 5,        // no shader plug-ins, or the render failed
  kOutputError = 6,        // the picture could not be written
  // Stopped by a signal: this plus the signal's number, as shells report a
  // program the signal ended (130 for Ctrl+C).
  kStoppedBySignal = 128,
};

}  // namespace npr_render
