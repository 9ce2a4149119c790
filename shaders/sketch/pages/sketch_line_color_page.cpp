#include "sketch_line_color_page.h"

#include <linvale/npr_color_control.h>
#include <linvale/rule_spin_box.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdint>

namespace linvale::sketch {

SketchLineColorPage::SketchLineColorPage(SketchSettings& settings)
    : SketchPage(settings, "Line Color", "sketchLineColorPage") {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildSource());
  auto* channels = new QHBoxLayout;
  channels->addWidget(BuildChannel("Red", SketchField::MinRed, "minRed", SketchField::MaxRed, "maxRed"));
  channels->addWidget(BuildChannel("Green", SketchField::MinGreen, "minGreen", SketchField::MaxGreen, "maxGreen"));
  channels->addWidget(BuildChannel("Blue", SketchField::MinBlue, "minBlue", SketchField::MaxBlue, "maxBlue"));
  layout->addLayout(channels);
  layout->addWidget(BuildIntensity());
  layout->addStretch();
  ShowSettings();
}

QWidget* SketchLineColorPage::BuildSource() {
  auto* group = new QGroupBox("Line Color", this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(AddChoice(&SketchSettings::modeHue, 0, "Material color", "modeHue0", group), 0, 0);
  grid->addWidget(AddChoice(&SketchSettings::modeHue, 1, "Single color:", "modeHue1", group), 1, 0);
  grid->addWidget(AddChoice(&SketchSettings::modeHue, 2, "Multiple color:", "modeHue2", group), 2, 0);
  mSwatch = new NprColorControl(group);
  mSwatch->setObjectName("singleHue");
  grid->addWidget(mSwatch, 1, 1);
  const FieldRow less = AddField(grid, 0, 2, "Less:", SketchField::MinHue, "minHue");
  const FieldRow plus = AddField(grid, 1, 2, "Plus:", SketchField::MaxHue, "maxHue");
  grid->setColumnStretch(4, 1);
  EnableWith(&SketchEnables::hueLessPlus, {less.label, less.box, plus.label, plus.box});
  EnableWith(&SketchEnables::singleColor, {mSwatch});
  connect(mSwatch, &NprColorControl::clicked, this, &SketchLineColorPage::SwatchClicked);
  return group;
}

QWidget* SketchLineColorPage::BuildChannel(const char* title, SketchField low, const char* lowName,
                                           SketchField high, const char* highName) {
  auto* group = new QGroupBox(title, this);
  auto* grid = new QGridLayout(group);
  // Three channels side by side: each label over its edit.
  const FieldRow min = AddField(grid, 0, 0, "Min. Value:", low, lowName, LabelPlace::Above);
  const FieldRow max = AddField(grid, 2, 0, "Max. Value:", high, highName, LabelPlace::Above);
  EnableWith(&SketchEnables::colorRanges, {min.label, min.box, max.label, max.box});
  return group;
}

QWidget* SketchLineColorPage::BuildIntensity() {
  auto* group = new QGroupBox("Intensity Variation", this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(AddSwitch(&SketchSettings::varInt, "On", "varInt", group), 0, 0);
  const FieldRow interval = AddField(grid, 0, 2, "Interval:", SketchField::WindowInt, "windowInt");
  const FieldRow low = AddField(grid, 1, 0, "Min.", SketchField::MinInt, "minInt");
  const FieldRow high = AddField(grid, 1, 2, "Max.", SketchField::MaxInt, "maxInt");
  EnableWith(&SketchEnables::intensity,
             {interval.label, interval.box, low.label, low.box, high.label, high.box});
  return group;
}

void SketchLineColorPage::ShowMore(const SketchEnables&) {
  mSwatch->mColor = static_cast<std::uint32_t>(mSettings.singleHue);
  // Redrawn at once: enabling alone would leave the old colour until the
  // next paint.
  mSwatch->update();
}

void SketchLineColorPage::SwatchClicked() {
  // The swatch reports a click whether the chooser was confirmed or not.
  if (mSwatch->mColor == static_cast<std::uint32_t>(mSettings.singleHue)) {
    return;
  }
  mSettings.singleHue = TS_Color(static_cast<std::uint32_t>(mSwatch->mColor));
  Changed();
}

}  // namespace linvale::sketch
