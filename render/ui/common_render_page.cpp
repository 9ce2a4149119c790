#include "common_render_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace linvale::ui {

namespace {

constexpr int kLargestSide = 65536;

}  // namespace

CommonRenderPage::CommonRenderPage(const NprRenderSettings& settings, NprUiMainDlg* dialog)
    : mCustomResolution(new QCheckBox("Custom Resolution", this)),
      mWidth(SizeEdit("imageWidth", settings.GetImageSize().cx)),
      mHeight(SizeEdit("imageHeight", settings.GetImageSize().cy)),
      mAntialias{new QRadioButton("Non&e", this), new QRadioButton("Norma&l and Slower", this),
                 new QRadioButton("Best and Sl&owest", this)},
      mAmbient(new NprColorControl(this)),
      mBackground(new NprColorControl(this)),
      mBackgroundFile(new BackgroundFileField(QString::fromUtf8(settings.GetBackgroundFileName()), this)) {
  setMainDlg(dialog);
  setObjectName("commonRenderPage");
  setWindowTitle("Common");
  mCustomResolution->setObjectName("customResolution");
  mCustomResolution->setChecked(settings.GetUseViewportSize() == 0);
  const char* antialiasNames[] = {"antialiasNone", "antialiasNormal", "antialiasBest"};
  for (int style = 0; style < 3; ++style) {
    mAntialias[style]->setObjectName(antialiasNames[style]);
    mAntialias[style]->setChecked(settings.GetAntialiasStyle() == style);
  }
  mAmbient->setObjectName("ambientLightSwatch");
  mAmbient->mColor = settings.GetAmbientLightColor();
  mBackground->setObjectName("backgroundSwatch");
  mBackground->mColor = settings.GetBackgroundColor();

  auto* size = new QFormLayout;
  size->addRow(mCustomResolution);
  size->addRow("Width:", mWidth);
  size->addRow("Height:", mHeight);
  auto* antialias = new QGroupBox("Antialiasing", this);
  auto* antialiasLayout = new QVBoxLayout(antialias);
  for (QRadioButton* button : mAntialias) {
    antialiasLayout->addWidget(button);
  }
  auto* colours = new QFormLayout;
  colours->addRow("Ambient Light:", mAmbient);
  colours->addRow("Background Color:", mBackground);
  colours->addRow(mBackgroundFile);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(size);
  layout->addWidget(antialias);
  layout->addLayout(colours);
  layout->addStretch();
  EnableSizeEdits();

  connect(mCustomResolution, &QCheckBox::clicked, this, [this] {
    resetStyle();
    EnableSizeEdits();
  });
  connect(mBackgroundFile, &BackgroundFileField::fileNameChanged, this, [this] { resetStyle(); });
}

QLineEdit* CommonRenderPage::SizeEdit(const char* name, long value) {
  auto* edit = new QLineEdit(QString::number(std::clamp<long>(value, 1, kLargestSide)), this);
  edit->setObjectName(name);
  edit->setValidator(new QIntValidator(1, kLargestSide, edit));
  // A value left out of range or empty when the focus moves on is put back
  // into range instead of being kept for OK to refuse.
  connect(edit, &QLineEdit::editingFinished, edit,
          [edit] { edit->setText(QString::number(std::clamp(edit->text().toInt(), 1, kLargestSide))); });
  return edit;
}

void CommonRenderPage::EnableSizeEdits() {
  mWidth->setEnabled(mCustomResolution->isChecked());
  mHeight->setEnabled(mCustomResolution->isChecked());
}

void CommonRenderPage::Apply(NprRenderSettings& settings) const {
  settings.SetUseViewportSize(mCustomResolution->isChecked() ? 0 : 1);
  const SIZE size{std::clamp(mWidth->text().toInt(), 1, kLargestSide),
                  std::clamp(mHeight->text().toInt(), 1, kLargestSide)};
  settings.SetImageSize(&size);
  settings.SetAmbientLightColor(mAmbient->mColor);
  settings.SetBackgroundColor(mBackground->mColor);
  for (int style = 0; style < 3; ++style) {
    if (mAntialias[style]->isChecked()) {
      settings.SetAntialiasStyle(static_cast<NprRenderSettings::AntialiasStyle>(style));
    }
  }
  settings.SetBackgroundFileName(mBackgroundFile->FileName().toUtf8().constData());
}

}  // namespace linvale::ui
