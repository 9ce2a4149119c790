// The base of every property page a shader shows in the settings dialog.
// A page is a dialog the settings dialog re-parents into one of its tabs;
// the shader plug-in creates, owns and destroys it.
#pragma once

#include <linvale/export.h>
#include <linvale/npr_ui_main_dlg.h>

#include <QDialog>

class LINVALE_API NprPageDialog : public QDialog {
  Q_OBJECT

public:
  explicit NprPageDialog(QWidget* parent = nullptr);

  void setMainDlg(NprUiMainDlg* dlg);

protected:
  // Call whenever the user changed a parameter of the page: the settings no
  // longer belong to a saved style and the preview follows 400 ms after the
  // last change. The page must have been given its settings dialog.
  void resetStyle();

  // Inside the settings dialog Enter and Escape belong to no page: they
  // neither accept nor close it.
  void keyPressEvent(QKeyEvent* event) override;

  NprUiMainDlg* mMainDlg = nullptr;
};
