// The Common page of a host's own settings dialog: whether the style's
// ambient light and background replace the host's, and what they are.
// Every change goes into the working settings at once.
#pragma once

#include <linvale/npr_color_control.h>
#include <linvale/npr_page_dialog.h>
#include <linvale/npr_render_settings.h>

#include <QCheckBox>

#include "background_file_field.h"

namespace linvale::ui {

class CommonHostPage : public NprPageDialog {
  Q_OBJECT

public:
  CommonHostPage(NprRenderSettings& settings, NprUiMainDlg* dialog);

private:
  void OverwriteClicked();
  void EnableFields();

  NprRenderSettings& mSettings;
  QCheckBox* mOverwrite;
  NprColorControl* mAmbient;
  NprColorControl* mBackground;
  BackgroundFileField* mBackgroundFile;
};

}  // namespace linvale::ui
