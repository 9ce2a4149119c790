#include <linvale/rule_spin_box.h>

#include <QLineEdit>

namespace linvale::ui {

RuleSpinBox::RuleSpinBox(Rules rules, QWidget* parent) : QAbstractSpinBox(parent), mRules(std::move(rules)) {
  setKeyboardTracking(true);
  connect(lineEdit(), &QLineEdit::textEdited, this, &RuleSpinBox::TextEdited);
  setValue(0.0);
}

void RuleSpinBox::setValue(double value) {
  mValue = value;
  lineEdit()->setText(QString::number(value));
}

void RuleSpinBox::stepBy(int steps) {
  const double stepped = mRules.stepped(mValue, steps);
  lineEdit()->setText(QString::number(stepped));
  Accept(stepped);
}

QAbstractSpinBox::StepEnabled RuleSpinBox::stepEnabled() const {
  // The rules clamp the steps; an arrow at a limit simply changes nothing.
  return StepUpEnabled | StepDownEnabled;
}

// Any text may stand while typing: what the rules do not accept leaves the
// value alone, and leaving the box shows the value again.
QValidator::State RuleSpinBox::validate(QString&, int&) const { return QValidator::Acceptable; }

void RuleSpinBox::fixup(QString& input) const { input = QString::number(mValue); }

void RuleSpinBox::TextEdited(const QString& text) {
  const std::optional<double> typed = mRules.typed(text);
  if (!typed) {
    return;
  }
  // A corrected value replaces the text, so the box shows what is kept.
  if (*typed != text.toDouble()) {
    const int cursor = lineEdit()->cursorPosition();
    lineEdit()->setText(QString::number(*typed));
    lineEdit()->setCursorPosition(cursor);
  }
  Accept(*typed);
}

void RuleSpinBox::Accept(double value) {
  if (value == mValue) {
    return;
  }
  mValue = value;
  emit valueEdited(value);
}

}  // namespace linvale::ui
