#include "sketch_page.h"

#include <linvale/rule_spin_box.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace linvale::sketch {

namespace {

// The rules decide on a copy of the record, so that a value that is not
// kept never reaches the shader.
linvale::ui::RuleSpinBox::Rules FieldRules(const SketchSettings& settings, SketchField field) {
  return {[&settings, field](const QString& text) -> std::optional<double> {
            const QByteArray bytes = text.toLatin1();
            const std::optional<double> parsed = ParseSketchText(
                TextKindOf(field), {bytes.constData(), static_cast<std::size_t>(bytes.size())});
            if (!parsed) {
              return std::nullopt;
            }
            SketchSettings kept = settings;
            StoreTypedSketchValue(kept, field, *parsed);
            return SketchFieldValue(kept, field);
          },
          [&settings, field](double value, int steps) {
            SketchSettings stepped = settings;
            SetSketchFieldValue(stepped, field, value);
            for (int step = 0; step != steps; step += steps > 0 ? 1 : -1) {
              StepSketchValue(stepped, field, steps);
            }
            return SketchFieldValue(stepped, field);
          }};
}

}  // namespace

SketchPage::SketchPage(SketchSettings& settings, const char* title, const char* objectName)
    : mSettings(settings) {
  setObjectName(objectName);
  setWindowTitle(title);
}

SketchPage::FieldRow SketchPage::AddField(QGridLayout* grid, int row, int column, const char* label,
                                          SketchField field, const char* objectName, LabelPlace place) {
  QWidget* parent = grid->parentWidget();
  auto* box = new linvale::ui::RuleSpinBox(FieldRules(mSettings, field), parent);
  box->setObjectName(objectName);
  // The spin box has no limits to size itself by; room for a long value
  // and the arrows, yet two fields and their labels fit one row.
  box->setMinimumWidth(box->fontMetrics().horizontalAdvance("1000.05") + 20);
  QLabel* caption = nullptr;
  if (label != nullptr) {
    caption = new QLabel(label, parent);
    caption->setBuddy(box);
    grid->addWidget(caption, row, column);
  }
  if (place == LabelPlace::Above) {
    grid->addWidget(box, row + 1, column);
  } else {
    grid->addWidget(box, row, column + 1);
  }
  connect(box, &linvale::ui::RuleSpinBox::valueEdited, this, [this, field](double value) {
    SetSketchFieldValue(mSettings, field, value);
    Changed();
  });
  mFields.push_back({field, box});
  return {caption, box};
}

QCheckBox* SketchPage::AddSwitch(Switch member, const char* text, const char* objectName, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(objectName);
  connect(box, &QCheckBox::toggled, this, [this, member](bool on) {
    mSettings.*member = on ? 1 : 0;
    Changed();
  });
  mSwitches.emplace_back(member, box);
  return box;
}

QRadioButton* SketchPage::AddChoice(Switch member, std::int32_t value, const char* text, const char* objectName,
                                    QWidget* parent) {
  auto* button = new QRadioButton(text, parent);
  button->setObjectName(objectName);
  // Only the button turned on reports: one change a choice.
  connect(button, &QRadioButton::toggled, this, [this, member, value](bool on) {
    if (on && mSettings.*member != value) {
      mSettings.*member = value;
      Changed();
    }
  });
  mChoices.push_back({member, value, button});
  return button;
}

void SketchPage::EnableWith(bool SketchEnables::* flag, std::initializer_list<QWidget*> widgets) {
  for (QWidget* widget : widgets) {
    mEnabled.push_back({flag, widget});
  }
}

void SketchPage::ShowSettings() {
  for (const Field& field : mFields) {
    // A box that already holds the value keeps its text, so a number being
    // typed is not rewritten under the cursor.
    if (const double value = SketchFieldValue(mSettings, field.field); field.box->value() != value) {
      field.box->setValue(value);
    }
  }
  for (const auto& [member, box] : mSwitches) {
    const QSignalBlocker quiet(box);
    box->setChecked(mSettings.*member != 0);
  }
  for (const Choice& choice : mChoices) {
    const QSignalBlocker quiet(choice.button);
    choice.button->setChecked(mSettings.*choice.member == choice.value);
  }
  const SketchEnables enables = SketchEnablesOf(mSettings);
  for (const Enabled& enabled : mEnabled) {
    enabled.widget->setEnabled(enables.*enabled.flag);
  }
  ShowMore(enables);
}

void SketchPage::showEvent(QShowEvent* event) {
  Opening();
  ShowSettings();
  NprPageDialog::showEvent(event);
}

void SketchPage::Changed() {
  ShowSettings();
  resetStyle();
}

}  // namespace linvale::sketch
