// A spin box whose accepted input, corrections and steps are given by the
// page's rules instead of Qt's fixed limits and step. Shared by the shaders'
// property pages, whose ranges depend on other values of their records.
#pragma once

#include <linvale/export.h>

#include <QAbstractSpinBox>

#include <functional>
#include <optional>

namespace linvale::ui {

class LINVALE_API RuleSpinBox : public QAbstractSpinBox {
  Q_OBJECT

public:
  struct Rules {
    // The value kept for a text, or nothing when the text is not accepted
    // (the value then stays as it is).
    std::function<std::optional<double>(const QString& text)> typed;
    // The value after `steps` clicks of the arrows from `value`.
    std::function<double(double value, int steps)> stepped;
  };

  explicit RuleSpinBox(Rules rules, QWidget* parent = nullptr);

  double value() const { return mValue; }
  // Shows `value` without reporting an edit.
  void setValue(double value);

  void stepBy(int steps) override;

signals:
  // The user changed the value by typing or stepping; equal values are not
  // reported.
  void valueEdited(double value);

protected:
  StepEnabled stepEnabled() const override;
  QValidator::State validate(QString& input, int& position) const override;
  void fixup(QString& input) const override;

private:
  void TextEdited(const QString& text);
  void Accept(double value);

  Rules mRules;
  double mValue = 0.0;
};

}  // namespace linvale::ui
