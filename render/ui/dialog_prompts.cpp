#include "dialog_prompts.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace linvale::ui {

namespace {

std::optional<QString> AskStyleName(QWidget* parent) {
  QInputDialog dialog(parent);
  dialog.setObjectName("styleNamePrompt");
  dialog.setWindowTitle("Orvelle");
  dialog.setLabelText("Save these render parameters as:");
  dialog.setInputMode(QInputDialog::TextInput);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return dialog.textValue();
}

bool Confirm(QWidget* parent, const QString& title, const QString& question) {
  return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

}  // namespace

DialogPrompts ModalPrompts() {
  return {
      .styleName = &AskStyleName,
      .confirmOverwrite =
          [](QWidget* parent, const QString& path) {
            return Confirm(parent, "Confirm File Replace",
                           QString("The style \"%1\" exists already.\nDo you want to replace it?")
                               .arg(QFileInfo(path).completeBaseName()));
          },
      .confirmRemove =
          [](QWidget* parent, const QString& path) {
            return Confirm(parent, "Confirm File Delete",
                           QString("Are you sure you want to move the style \"%1\" to the trash?")
                               .arg(QFileInfo(path).completeBaseName()));
          },
  };
}

}  // namespace linvale::ui
