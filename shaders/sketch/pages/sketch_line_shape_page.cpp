#include "sketch_line_shape_page.h"

#include <linvale/rule_spin_box.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace linvale::sketch {

SketchLineShapePage::SketchLineShapePage(SketchSettings& settings)
    : SketchPage(settings, "Line Shape", "sketchLineShapePage") {
  auto* layout = new QVBoxLayout(this);
  auto* seedRow = new QWidget(this);
  auto* seedGrid = new QGridLayout(seedRow);
  seedGrid->setContentsMargins(0, 0, 0, 0);
  seedGrid->addWidget(AddSwitch(&SketchSettings::bseedRandom, "Random Seed:", "bseedRandom", seedRow), 0, 0);
  const FieldRow seed = AddField(seedGrid, 0, 0, nullptr, SketchField::SeedRandom, "seedRandom");
  seedGrid->setColumnStretch(2, 1);
  EnableWith(&SketchEnables::seed, {seed.box});
  layout->addWidget(seedRow);
  layout->addWidget(BuildWavy());
  layout->addWidget(BuildEnds());
  layout->addWidget(BuildWidth());
  layout->addStretch();
  ShowSettings();
}

QWidget* SketchLineShapePage::BuildWavy() {
  auto* group = new QGroupBox("Wavy (random)", this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(AddSwitch(&SketchSettings::randWavy, "On", "randWavy", group), 0, 0);
  const FieldRow lines = AddField(grid, 1, 0, "Number of Lines:", SketchField::NumLines, "numLines");
  const FieldRow interval = AddField(grid, 1, 2, "Interval:", SketchField::WindowWavy, "windowWavy");
  const FieldRow low = AddField(grid, 2, 0, "Min.", SketchField::MinWavy, "minWavy");
  const FieldRow high = AddField(grid, 2, 2, "Max.", SketchField::MaxWavy, "maxWavy");
  EnableWith(&SketchEnables::wavy,
             {lines.label, lines.box, interval.label, interval.box, low.label, low.box, high.label, high.box});
  return group;
}

QWidget* SketchLineShapePage::BuildEnds() {
  auto* group = new QGroupBox("Ends (random)", this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(AddSwitch(&SketchSettings::randDir, "On", "randDir", group), 0, 0);
  QRadioButton* ends = AddChoice(&SketchSettings::everySegment, 0, "Ends", "everySegment0", group);
  QRadioButton* segments = AddChoice(&SketchSettings::everySegment, 1, "Segments", "everySegment1", group);
  grid->addWidget(ends, 0, 1);
  grid->addWidget(segments, 0, 2);
  const FieldRow low = AddField(grid, 1, 0, "Min.", SketchField::MinDir, "minDir");
  const FieldRow high = AddField(grid, 1, 2, "Max.", SketchField::MaxDir, "maxDir");
  EnableWith(&SketchEnables::ends, {ends, segments, low.label, low.box, high.label, high.box});
  return group;
}

QWidget* SketchLineShapePage::BuildWidth() {
  auto* group = new QGroupBox("Width Variation", this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(AddSwitch(&SketchSettings::varWidth, "On", "varWidth", group), 0, 0);
  const FieldRow interval = AddField(grid, 0, 2, "Interval:", SketchField::WindowWidth, "windowWidth");
  // Without variation the min. edit is the fixed width, so it stays enabled.
  const FieldRow low = AddField(grid, 1, 0, "Min.", SketchField::MinWidth, "minWidth");
  const FieldRow high = AddField(grid, 1, 2, "Max.", SketchField::MaxWidth, "maxWidth");
  mMinWidthLabel = low.label;
  mMinWidthLabel->setObjectName("minWidthLabel");
  EnableWith(&SketchEnables::widthVariation, {interval.label, interval.box, high.label, high.box});
  return group;
}

void SketchLineShapePage::Opening() { MendWidthsOnOpen(mSettings); }

void SketchLineShapePage::ShowMore(const SketchEnables& enables) { mMinWidthLabel->setText(enables.minWidthLabel); }

}  // namespace linvale::sketch
