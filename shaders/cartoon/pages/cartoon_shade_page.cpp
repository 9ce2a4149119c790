#include "cartoon_shade_page.h"

#include "cartoon_page_rules.h"
#include "shade_preview.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>

namespace linvale::cartoon {

namespace {

QSlider* Slider(Qt::Orientation orientation, int range, const char* name, QWidget* parent) {
  auto* slider = new QSlider(orientation, parent);
  slider->setObjectName(name);
  slider->setRange(0, range);
  return slider;
}

// Moves a slider back to where its value stopped, without reporting it.
void MoveQuietly(QSlider* slider, int position) {
  const QSignalBlocker quiet(slider);
  slider->setValue(position);
}

}  // namespace

CartoonShadePage::CartoonShadePage(CartoonSettings& settings)
    : mSettings(settings),
      mPreview(new ShadePreview(settings, this)),
      mHighlightAngle(Slider(Qt::Vertical, kAngleSliderRange, "specular", this)),
      mShadowAngle(Slider(Qt::Vertical, kAngleSliderRange, "shadow", this)),
      mHighlightBlend(Slider(Qt::Horizontal, 100, "varSpecular", this)),
      mBaseBlend(Slider(Qt::Horizontal, 100, "varDiffuse", this)),
      mShadowBlend(Slider(Qt::Horizontal, 100, "varShadow", this)) {
  setObjectName("cartoonShadePage");
  setWindowTitle("Shade");

  auto* angles = new QGroupBox("Angle", this);
  auto* angleGrid = new QGridLayout(angles);
  mHighlightAngle->setParent(angles);
  mShadowAngle->setParent(angles);
  angleGrid->addWidget(new QLabel("Highlight", angles), 0, 0, Qt::AlignHCenter);
  angleGrid->addWidget(new QLabel("Shadow:", angles), 0, 1, Qt::AlignHCenter);
  angleGrid->addWidget(mHighlightAngle, 1, 0, Qt::AlignHCenter);
  angleGrid->addWidget(mShadowAngle, 1, 1, Qt::AlignHCenter);

  auto* colors = new QGroupBox("Color", this);
  auto* colorGrid = new QGridLayout(colors);
  const struct {
    const char* label;
    QSlider* slider;
    const char* towards;
  } rows[] = {
      {"Highlight:", mHighlightBlend, "Light"}, {"Base:", mBaseBlend, "Ambient"}, {"Shadow:", mShadowBlend, "Ambient"}};
  for (int row = 0; const auto& [label, slider, towards] : rows) {
    slider->setParent(colors);
    colorGrid->addWidget(new QLabel(label, colors), row, 0);
    colorGrid->addWidget(new QLabel("Color", colors), row, 1);
    colorGrid->addWidget(slider, row, 2);
    colorGrid->addWidget(new QLabel(towards, colors), row, 3);
    ++row;
  }

  auto* layout = new QGridLayout(this);
  layout->addWidget(mPreview, 0, 0);
  layout->addWidget(angles, 0, 1);
  layout->addWidget(colors, 1, 0, 1, 2);
  layout->setRowStretch(2, 1);

  connect(mHighlightAngle, &QSlider::valueChanged, this, [this](int position) {
    mSettings.specular = AngleFromSlider(position);
    Changed();
  });
  connect(mShadowAngle, &QSlider::valueChanged, this, [this](int position) {
    mSettings.shadow = AngleFromSlider(position);
    Changed();
  });
  connect(mHighlightBlend, &QSlider::valueChanged, this, [this](int position) {
    mSettings.varSpecular = BlendFromSlider(position);
    Changed();
  });
  connect(mBaseBlend, &QSlider::valueChanged, this, [this](int position) {
    mSettings.varDiffuse = BaseBlendFromSlider(position, mSettings.varShadow);
    MoveQuietly(mBaseBlend, SliderFromBlend(mSettings.varDiffuse));
    Changed();
  });
  connect(mShadowBlend, &QSlider::valueChanged, this, [this](int position) {
    mSettings.varShadow = ShadowBlendFromSlider(position, mSettings.varDiffuse);
    MoveQuietly(mShadowBlend, SliderFromBlend(mSettings.varShadow));
    Changed();
  });
  ShowSettings();
}

void CartoonShadePage::ShowSettings() {
  MoveQuietly(mHighlightAngle, SliderFromAngle(mSettings.specular));
  MoveQuietly(mShadowAngle, SliderFromAngle(mSettings.shadow));
  MoveQuietly(mHighlightBlend, SliderFromBlend(mSettings.varSpecular));
  MoveQuietly(mBaseBlend, SliderFromBlend(mSettings.varDiffuse));
  MoveQuietly(mShadowBlend, SliderFromBlend(mSettings.varShadow));
  mPreview->Redraw();
}

void CartoonShadePage::showEvent(QShowEvent* event) {
  ShowSettings();
  NprPageDialog::showEvent(event);
}

void CartoonShadePage::Changed() {
  mPreview->Redraw();
  resetStyle();
}

}  // namespace linvale::cartoon
