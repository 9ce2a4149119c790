// What the tests of the shaders' property pages share: a settings dialog
// stand-in that counts the changes it is told of, the owner of a pages
// object, typing into a field, and the swatch rule both shaders keep.
#pragma once

#include <linvale/npr_color_control.h>
#include <linvale/npr_page_dialog.h>
#include <linvale/npr_pages_interface.h>
#include <linvale/rule_spin_box.h>
#include <tessel/ts_color.h>

#include <QLineEdit>
#include <QtTest>

#include <functional>

#include "test_host.h"

namespace linvale::test {

// Counts what the pages tell the settings dialog.
class CountingMainDlg final : public NprUiMainDlg {
public:
  NprRenderSettings WorkingSettings() const override { return {}; }
  void ParametersChanged() override { ++changes; }
  int changes = 0;
};

struct PagesDeleter {
  void operator()(NprPages* pages) const { NprPagesDelete(pages); }
};

inline void Type(linvale::ui::RuleSpinBox* box, const QString& text) {
  auto* edit = box->findChild<QLineEdit*>();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

// Clicks `swatch` with the chooser cancelled, then choosing `chosen`, then
// choosing it again: only the second click may store the colour (read back
// by `stored`) and tell the dialog. The swatch must show `shown` at first
// and nothing may have been told of before.
inline void CheckSwatchStoresOnlyAConfirmedNewColour(NprColorControl* swatch, COLORREF shown, COLORREF chosen,
                                                     DialogTestHost& host, const CountingMainDlg& dialog,
                                                     const std::function<TS_Color()>& stored) {
  QCOMPARE(swatch->mColor, shown);
  QTest::mouseClick(swatch, Qt::LeftButton);  // cancelled
  QCOMPARE(dialog.changes, 0);
  host.chosenColor = chosen;
  QTest::mouseClick(swatch, Qt::LeftButton);
  QCOMPARE(stored().Red(), static_cast<int>(GetRValue(chosen)));
  QCOMPARE(stored().Green(), static_cast<int>(GetGValue(chosen)));
  QCOMPARE(stored().Blue(), static_cast<int>(GetBValue(chosen)));
  QCOMPARE(dialog.changes, 1);
  QTest::mouseClick(swatch, Qt::LeftButton);  // the same colour again
  QCOMPARE(dialog.changes, 1);
}

}  // namespace linvale::test
