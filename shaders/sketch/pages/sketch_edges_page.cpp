#include "sketch_edges_page.h"

#include <linvale/rule_spin_box.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace linvale::sketch {

SketchEdgesPage::SketchEdgesPage(SketchSettings& settings) : SketchPage(settings, "Edges", "sketchEdgesPage") {
  auto* layout = new QVBoxLayout(this);
  for (const auto& [member, title, name] : {std::tuple{&SketchSettings::silEdges, "Silhouettes", "silEdges"},
                                            std::tuple{&SketchSettings::endEdges, "Borders", "endEdges"}}) {
    auto* group = new QGroupBox(title, this);
    auto* row = new QVBoxLayout(group);
    row->addWidget(AddSwitch(member, "On", name, group));
    layout->addWidget(group);
  }

  auto* creases = new QGroupBox("Creases", this);
  auto* grid = new QGridLayout(creases);
  grid->addWidget(AddSwitch(&SketchSettings::disEdges, "On", "disEdges", creases), 0, 0, 1, 2);
  const FieldRow threshold = AddField(grid, 1, 0, "Threshold Angle:", SketchField::ThresholdDegree, "thresholdDegree");
  EnableWith(&SketchEnables::threshold, {threshold.label, threshold.box});
  // Kept and saved with the style, but nothing draws with it.
  const FieldRow maxLength = AddField(grid, 2, 0, "Max. Edge Length:", SketchField::MaxLength, "maxLength");
  for (QWidget* hidden : {static_cast<QWidget*>(maxLength.label), static_cast<QWidget*>(maxLength.box)}) {
    hidden->hide();
    hidden->setEnabled(false);
  }
  grid->setColumnStretch(2, 1);
  layout->addWidget(creases);
  layout->addStretch();
  ShowSettings();
}

}  // namespace linvale::sketch
