// The "Edges" page: on/off, width, colour and material blend of the three
// outline kinds, and the crease threshold.
#pragma once

#include "cartoon_settings.h"

#include <linvale/npr_page_dialog.h>

#include <array>
#include <cstdint>

class NprColorControl;
class QCheckBox;
class QGroupBox;
class QSlider;

namespace linvale::ui {
class RuleSpinBox;
}

namespace linvale::cartoon {

class CartoonEdgesPage final : public NprPageDialog {
  Q_OBJECT

public:
  explicit CartoonEdgesPage(CartoonSettings& settings);

  // Shows the settings' values; done whenever the page is shown.
  void ShowSettings();

protected:
  void showEvent(QShowEvent* event) override;

private:
  // One outline kind's members and controls.
  struct EdgeGroup {
    std::int32_t CartoonSettings::*enabled;
    std::int32_t CartoonSettings::*width;
    TS_Color CartoonSettings::*color;
    double CartoonSettings::*blend;
    QGroupBox* box = nullptr;
    QCheckBox* on = nullptr;
    linvale::ui::RuleSpinBox* widthBox = nullptr;
    NprColorControl* swatch = nullptr;
    QSlider* slider = nullptr;
  };

  QGroupBox* BuildGroup(EdgeGroup& group, const char* title, const char* key);
  void Enable(const EdgeGroup& group);

  CartoonSettings& mSettings;
  std::array<EdgeGroup, 3> mGroups;
  linvale::ui::RuleSpinBox* mThreshold = nullptr;
};

}  // namespace linvale::cartoon
