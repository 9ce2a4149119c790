// What shaders and their property pages may ask of the settings dialog. The
// dialog itself lives in the user-interface library, which the renderer
// loads only when a dialog is opened; shaders see no more than this.
#pragma once

#include <linvale/export.h>
#include <linvale/npr_render_settings.h>

class LINVALE_API NprUiMainDlg {
public:
  // A copy of the settings the dialog is editing, as the preview needs them.
  virtual NprRenderSettings WorkingSettings() const = 0;
  // A page changed a parameter: the settings no longer match a saved style,
  // and the preview is redrawn once the changes have stopped for a moment.
  virtual void ParametersChanged() = 0;

protected:
  // The dialog belongs to whoever opened it, never to a shader or page.
  ~NprUiMainDlg() = default;
};
