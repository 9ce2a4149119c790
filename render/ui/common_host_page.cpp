#include "common_host_page.h"

#include <QFormLayout>
#include <QVBoxLayout>

namespace linvale::ui {

CommonHostPage::CommonHostPage(NprRenderSettings& settings, NprUiMainDlg* dialog)
    : mSettings(settings),
      mOverwrite(new QCheckBox("Overwrite &Tarvik settings", this)),
      mAmbient(new NprColorControl(this)),
      mBackground(new NprColorControl(this)),
      mBackgroundFile(new BackgroundFileField(QString::fromUtf8(settings.GetBackgroundFileName()), this)) {
  setMainDlg(dialog);
  setObjectName("commonHostPage");
  setWindowTitle("Common");
  mOverwrite->setObjectName("overwriteHostSettings");
  // The style's values count only when they overwrite the host's.
  mOverwrite->setChecked(settings.GetUseHostSettings() == 0);
  mAmbient->setObjectName("ambientLightSwatch");
  mAmbient->mColor = settings.GetAmbientLightColor();
  mBackground->setObjectName("backgroundSwatch");
  mBackground->mColor = settings.GetBackgroundColor();

  auto* fields = new QFormLayout;
  fields->addRow("Ambient Light:", mAmbient);
  fields->addRow("Background:", mBackground);
  fields->addRow(mBackgroundFile);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mOverwrite);
  layout->addLayout(fields);
  layout->addStretch();
  EnableFields();

  connect(mOverwrite, &QCheckBox::clicked, this, &CommonHostPage::OverwriteClicked);
  connect(mAmbient, &NprColorControl::clicked, this, [this] {
    mSettings.SetAmbientLightColor(mAmbient->mColor);
    resetStyle();
  });
  connect(mBackground, &NprColorControl::clicked, this, [this] {
    mSettings.SetBackgroundColor(mBackground->mColor);
    resetStyle();
  });
  connect(mBackgroundFile, &BackgroundFileField::fileNameChanged, this, [this] {
    mSettings.SetBackgroundFileName(mBackgroundFile->FileName().toUtf8().constData());
    resetStyle();
  });
}

void CommonHostPage::OverwriteClicked() {
  mSettings.SetUseHostSettings(mOverwrite->isChecked() ? 0 : 1);
  mSettings.SetAmbientLightColor(mAmbient->mColor);
  mSettings.SetBackgroundColor(mBackground->mColor);
  mSettings.SetBackgroundFileName(mBackgroundFile->FileName().toUtf8().constData());
  EnableFields();
  resetStyle();
}

void CommonHostPage::EnableFields() {
  const bool overwrite = mOverwrite->isChecked();
  mAmbient->setEnabled(overwrite);
  mBackground->setEnabled(overwrite);
  mBackgroundFile->SetFieldsEnabled(overwrite);
  mAmbient->update();
  mBackground->update();
}

}  // namespace linvale::ui
