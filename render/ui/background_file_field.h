// The read-only background image name with its "..." button, shared by both
// Common pages: the chooser starts empty, and cancelling it removes the
// image, since the field cannot be edited by hand.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace linvale::ui {

class BackgroundFileField : public QWidget {
  Q_OBJECT

public:
  BackgroundFileField(const QString& fileName, QWidget* parent);

  QString FileName() const { return mEdit->text(); }
  void SetFieldsEnabled(bool enabled);

signals:
  // The name was replaced by a choice, or emptied by a cancelled one.
  void fileNameChanged();

private:
  void Choose();

  QLineEdit* mEdit;
  QPushButton* mButton;
};

}  // namespace linvale::ui
