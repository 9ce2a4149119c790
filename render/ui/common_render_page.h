// The Common page when the engine facade opens the dialog: picture size,
// antialiasing, ambient light and background. Its values reach the working
// settings only when the dialog is confirmed.
#pragma once

#include <linvale/npr_color_control.h>
#include <linvale/npr_page_dialog.h>
#include <linvale/npr_render_settings.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "background_file_field.h"

namespace linvale::ui {

class CommonRenderPage : public NprPageDialog {
  Q_OBJECT

public:
  CommonRenderPage(const NprRenderSettings& settings, NprUiMainDlg* dialog);

  // Writes the page's values into `settings` (the dialog's OK).
  void Apply(NprRenderSettings& settings) const;

private:
  QLineEdit* SizeEdit(const char* name, long value);
  void EnableSizeEdits();

  QCheckBox* mCustomResolution;
  QLineEdit* mWidth;
  QLineEdit* mHeight;
  QRadioButton* mAntialias[3];
  NprColorControl* mAmbient;
  NprColorControl* mBackground;
  BackgroundFileField* mBackgroundFile;
};

}  // namespace linvale::ui
