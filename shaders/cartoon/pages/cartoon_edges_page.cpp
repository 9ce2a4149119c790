#include "cartoon_edges_page.h"

#include "cartoon_page_rules.h"

#include <linvale/npr_color_control.h>
#include <linvale/npr_typed_number.h>
#include <linvale/rule_spin_box.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace linvale::cartoon {

namespace {

unsigned long ColorRefOf(const TS_Color& color) {
  return static_cast<unsigned long>(color.Red()) | static_cast<unsigned long>(color.Green()) << 8 |
         static_cast<unsigned long>(color.Blue()) << 16;
}

TS_Color ColorOf(unsigned long colorRef) {
  return {static_cast<int>(colorRef & 0xff), static_cast<int>(colorRef >> 8 & 0xff),
          static_cast<int>(colorRef >> 16 & 0xff)};
}

std::optional<double> TypedNumber(const QString& text, double (*rule)(long)) {
  const QByteArray bytes = text.trimmed().toLatin1();
  const std::optional<long> typed = NprParseTypedWholeNumber({bytes.constData(), static_cast<std::size_t>(bytes.size())});
  return typed ? std::optional(rule(*typed)) : std::nullopt;
}

linvale::ui::RuleSpinBox* LineWidthBox(QWidget* parent) {
  return new linvale::ui::RuleSpinBox(
      {[](const QString& text) { return TypedNumber(text, [](long typed) { return double(TypedLineWidth(typed)); }); },
       [](double width, int steps) { return double(SteppedLineWidth(int(width), steps)); }},
      parent);
}

linvale::ui::RuleSpinBox* ThresholdBox(QWidget* parent) {
  return new linvale::ui::RuleSpinBox({[](const QString& text) { return TypedNumber(text, TypedThreshold); }, SteppedThreshold},
                         parent);
}

QSlider* BlendSlider(QWidget* parent) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setRange(0, 100);
  slider->setPageStep(10);
  return slider;
}

}  // namespace

CartoonEdgesPage::CartoonEdgesPage(CartoonSettings& settings)
    : mSettings(settings),
      mGroups{EdgeGroup{&CartoonSettings::silEdges, &CartoonSettings::widthSil, &CartoonSettings::silColor,
                        &CartoonSettings::varSilColor},
              EdgeGroup{&CartoonSettings::endEdges, &CartoonSettings::widthEnd, &CartoonSettings::endColor,
                        &CartoonSettings::varEndColor},
              EdgeGroup{&CartoonSettings::disEdges, &CartoonSettings::widthDis, &CartoonSettings::disColor,
                        &CartoonSettings::varDisColor}} {
  setObjectName("cartoonEdgesPage");
  setWindowTitle("Edges");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildGroup(mGroups[0], "Silhouettes", "Sil"));
  layout->addWidget(BuildGroup(mGroups[1], "Borders", "End"));
  QGroupBox* creases = BuildGroup(mGroups[2], "Creases", "Dis");
  auto* creaseGrid = static_cast<QGridLayout*>(creases->layout());
  mThreshold = ThresholdBox(creases);
  mThreshold->setObjectName("thresholdDegree");
  auto* thresholdLabel = new QLabel("Threshold Angle:", creases);
  thresholdLabel->setBuddy(mThreshold);
  const int row = creaseGrid->rowCount();
  creaseGrid->addWidget(thresholdLabel, row, 0, 1, 2);
  creaseGrid->addWidget(mThreshold, row, 2);
  layout->addWidget(creases);
  layout->addStretch();
  connect(mThreshold, &linvale::ui::RuleSpinBox::valueEdited, this, [this](double value) {
    mSettings.thresholdDegree = value;
    resetStyle();
  });
  ShowSettings();
}

QGroupBox* CartoonEdgesPage::BuildGroup(EdgeGroup& group, const char* title, const char* key) {
  group.box = new QGroupBox(title, this);
  auto* grid = new QGridLayout(group.box);
  group.on = new QCheckBox("On", group.box);
  group.on->setObjectName(QString("edges%1").arg(key));
  group.widthBox = LineWidthBox(group.box);
  group.widthBox->setObjectName(QString("width%1").arg(key));
  group.swatch = new NprColorControl(group.box);
  group.swatch->setObjectName(QString("color%1").arg(key));
  group.slider = BlendSlider(group.box);
  group.slider->setObjectName(QString("var%1Color").arg(key));
  auto* widthLabel = new QLabel("Line Width:", group.box);
  widthLabel->setBuddy(group.widthBox);

  // Two rows a group, so that all three and the threshold fit the dialog.
  grid->addWidget(group.on, 0, 0);
  grid->addWidget(widthLabel, 0, 1);
  grid->addWidget(group.widthBox, 0, 2);
  grid->addWidget(new QLabel("Line Color:", group.box), 0, 3);
  grid->addWidget(group.swatch, 0, 4);
  auto* blendRow = new QHBoxLayout;
  blendRow->addWidget(new QLabel("Line Color", group.box));
  blendRow->addWidget(group.slider, 1);
  blendRow->addWidget(new QLabel("Material Color", group.box));
  grid->addLayout(blendRow, 1, 0, 1, 5);

  // The group's members are fixed for the page's life; the handlers find
  // them through the group, which never moves inside the array.
  const EdgeGroup* kind = &group;
  connect(group.on, &QCheckBox::toggled, this, [this, kind](bool on) {
    mSettings.*kind->enabled = on ? 1 : 0;
    Enable(*kind);
    resetStyle();
  });
  connect(group.widthBox, &linvale::ui::RuleSpinBox::valueEdited, this, [this, kind](double width) {
    mSettings.*kind->width = static_cast<std::int32_t>(width);
    resetStyle();
  });
  connect(group.swatch, &NprColorControl::clicked, this, [this, kind] {
    // The chooser reports a click whether confirmed or not.
    if (kind->swatch->mColor == ColorRefOf(mSettings.*kind->color)) {
      return;
    }
    mSettings.*kind->color = ColorOf(kind->swatch->mColor);
    resetStyle();
  });
  connect(group.slider, &QSlider::valueChanged, this, [this, kind](int position) {
    mSettings.*kind->blend = BlendFromSlider(position);
    resetStyle();
  });
  return group.box;
}

void CartoonEdgesPage::ShowSettings() {
  for (EdgeGroup& group : mGroups) {
    const QSignalBlocker quietOn(group.on);
    const QSignalBlocker quietSlider(group.slider);
    group.on->setChecked(mSettings.*group.enabled != 0);
    group.widthBox->setValue(mSettings.*group.width);
    group.swatch->mColor = ColorRefOf(mSettings.*group.color);
    group.slider->setValue(SliderFromBlend(mSettings.*group.blend));
    Enable(group);
  }
  mThreshold->setValue(mSettings.thresholdDegree);
}

void CartoonEdgesPage::showEvent(QShowEvent* event) {
  ShowSettings();
  NprPageDialog::showEvent(event);
}

void CartoonEdgesPage::Enable(const EdgeGroup& group) {
  // Everything in the group but its own switch follows the switch; the
  // crease group's threshold with it.
  const bool on = group.on->isChecked();
  for (QWidget* child : group.box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child != group.on) {
      child->setEnabled(on);
    }
  }
  group.swatch->update();
}

}  // namespace linvale::cartoon
