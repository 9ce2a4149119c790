#include <linvale/npr_page_dialog.h>

#include <QKeyEvent>

NprPageDialog::NprPageDialog(QWidget* parent) : QDialog(parent) {}

void NprPageDialog::setMainDlg(NprUiMainDlg* dlg) { mMainDlg = dlg; }

void NprPageDialog::resetStyle() {
  if (mMainDlg != nullptr) {
    mMainDlg->ParametersChanged();
  }
}

void NprPageDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: event->accept(); return;
    default: QDialog::keyPressEvent(event);
  }
}
