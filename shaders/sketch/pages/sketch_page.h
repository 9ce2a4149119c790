// What the four Sketch pages have in common: numeric fields kept by the page
// rules, switches and choices bound to members of the record, and controls
// enabled by the switches. Every accepted change goes straight into the
// shader's record, shows the record again and tells the settings dialog.
#pragma once

#include "sketch_page_rules.h"

#include <linvale/npr_page_dialog.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QRadioButton;
class QWidget;
namespace linvale::ui {
class RuleSpinBox;
}

namespace linvale::sketch {

class SketchPage : public NprPageDialog {
  Q_OBJECT

public:
  using Switch = std::int32_t SketchSettings::*;

  // Shows the record's values and enables; done whenever the page is shown.
  void ShowSettings();

protected:
  SketchPage(SketchSettings& settings, const char* title, const char* objectName);

  void showEvent(QShowEvent* event) override;
  // What the page mends in the record before it shows it.
  virtual void Opening() {}
  // What the page shows beyond its fields, switches and choices.
  virtual void ShowMore(const SketchEnables&) {}

  // A field in `grid` at `row` and `column`: its label (none for a null
  // text) with the edit beside it, or above it in `row` + 1 where columns
  // are narrow.
  struct FieldRow {
    QLabel* label;
    linvale::ui::RuleSpinBox* box;
  };
  enum class LabelPlace { Beside, Above };
  FieldRow AddField(QGridLayout* grid, int row, int column, const char* label, SketchField field,
                    const char* objectName, LabelPlace place = LabelPlace::Beside);
  QCheckBox* AddSwitch(Switch member, const char* text, const char* objectName, QWidget* parent);
  QRadioButton* AddChoice(Switch member, std::int32_t value, const char* text, const char* objectName,
                          QWidget* parent);
  // `widgets` are enabled while `flag` of the enables holds.
  void EnableWith(bool SketchEnables::* flag, std::initializer_list<QWidget*> widgets);

  // The record changed through one of the page's own controls.
  void Changed();

  SketchSettings& mSettings;

private:
  struct Field {
    SketchField field;
    linvale::ui::RuleSpinBox* box;
  };
  struct Choice {
    Switch member;
    std::int32_t value;
    QRadioButton* button;
  };
  struct Enabled {
    bool SketchEnables::* flag;
    QWidget* widget;
  };

  std::vector<Field> mFields;
  std::vector<std::pair<Switch, QCheckBox*>> mSwitches;
  std::vector<Choice> mChoices;
  std::vector<Enabled> mEnabled;
};

}  // namespace linvale::sketch
