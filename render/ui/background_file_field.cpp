#include "background_file_field.h"

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_ui_window.h>

#include <QHBoxLayout>

namespace linvale::ui {

BackgroundFileField::BackgroundFileField(const QString& fileName, QWidget* parent)
    : QWidget(parent), mEdit(new QLineEdit(fileName, this)), mButton(new QPushButton("...", this)) {
  mEdit->setObjectName("backgroundFileEdit");
  mEdit->setReadOnly(true);
  mButton->setObjectName("backgroundFileButton");
  mButton->setFixedWidth(32);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(mEdit);
  layout->addWidget(mButton);
  connect(mButton, &QPushButton::clicked, this, &BackgroundFileField::Choose);
}

void BackgroundFileField::SetFieldsEnabled(bool enabled) {
  mEdit->setEnabled(enabled);
  mButton->setEnabled(enabled);
}

void BackgroundFileField::Choose() {
  char file[MAX_PATH] = "";
  NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost();
  if (host == nullptr || host->GetBitmapFilename(NprWindowHandle(this), file, MAX_PATH, 1) == 0) {
    file[0] = '\0';
  }
  mEdit->setText(QString::fromUtf8(file));
  emit fileNameChanged();
}

}  // namespace linvale::ui
