// The Cartoon pages driven offscreen: typed and stepped values, the group
// switches, the swatches, the blend order, the preview's bands, and a change
// saved through the settings dialog.
#include "cartoon_settings.h"
#include "shade_preview.h"

#include <linvale/npr_color_control.h>
#include <linvale/npr_page_dialog.h>
#include <linvale/npr_pages_interface.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>
#include <linvale/rule_spin_box.h>

#include <win32/message_box.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "find_widget.h"
#include "page_test_support.h"
#include "settings_dialog.h"
#include "support/temporary_home.h"
#include "test_host.h"

namespace {

using linvale::test::CheckSwatchStoresOnlyAConfirmedNewColour;
using linvale::test::CountingMainDlg;
using linvale::test::Find;
using linvale::test::PagesDeleter;
using linvale::test::Type;

using linvale::cartoon::CartoonSettings;
using linvale::cartoon::ShadePreview;
using linvale::ui::RuleSpinBox;

int gMessageBoxes = 0;

int CountMessageBox(HWND, LPCSTR, LPCSTR, UINT) {
  ++gMessageBoxes;
  return IDOK;
}

// The distinct colours of a picture other than its black background.
std::set<QRgb> LitColors(const QImage& picture) {
  std::set<QRgb> colors;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (const QRgb pixel = picture.pixel(x, y) & 0xffffffu; pixel != 0) {
        colors.insert(pixel);
      }
    }
  }
  return colors;
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

class CartoonPagesTest : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void typedWidthsAndThresholdAreClampedAndStepped();
  void equalAndUnacceptedInputChangesNothing();
  void groupSwitchEnablesItsControls();
  void swatchStoresOnlyAConfirmedNewColour();
  void blendSlidersStoreHundredths();
  void baseStopsAtShadowAndShadowAtBase();
  void angleSlidersCountFromTheTop();
  void previewShowsThreeBandsThenTwo();
  void pageChangeLandsInTheStyleFileAtOk();

private:
  std::unique_ptr<linvale::test::TemporaryFolder> mRoot;
  std::unique_ptr<linvale::test::DialogTestHost> mHost;
  NprHostApplicationServices* mPreviousHost = nullptr;
  MessageBoxHandler mPreviousBoxes = nullptr;
  CartoonSettings mSettings;
  CountingMainDlg mMainDlg;
  std::unique_ptr<NprPages, PagesDeleter> mPages;
  NprPageDialog* mEdges = nullptr;
  NprPageDialog* mShade = nullptr;
};

void CartoonPagesTest::init() {
  mRoot = std::make_unique<linvale::test::TemporaryFolder>();
  mHost = std::make_unique<linvale::test::DialogTestHost>(mRoot->Path().string());
  mPreviousHost = NprHostApplicationServices::setDefaultHost(mHost.get());
  gMessageBoxes = 0;
  mPreviousBoxes = SetMessageBoxHandler(&CountMessageBox);
  mSettings = CartoonSettings{};
  mMainDlg.changes = 0;
  mPages.reset(NprPagesCreate(&mSettings));
  QVERIFY(mPages != nullptr);
  mEdges = NprPagesGet(mPages.get(), 0);
  mShade = NprPagesGet(mPages.get(), 1);
  QVERIFY(NprPagesGet(mPages.get(), 2) == nullptr);
  QCOMPARE(mEdges->windowTitle(), QString("Edges"));
  QCOMPARE(mShade->windowTitle(), QString("Shade"));
  mEdges->setMainDlg(&mMainDlg);
  mShade->setMainDlg(&mMainDlg);
}

void CartoonPagesTest::cleanup() {
  mPages.reset();
  SetMessageBoxHandler(mPreviousBoxes);
  NprHostApplicationServices::setDefaultHost(mPreviousHost);
  mHost.reset();
  mRoot.reset();
  QCOMPARE(gMessageBoxes, 0);
}

void CartoonPagesTest::typedWidthsAndThresholdAreClampedAndStepped() {
  mEdges->show();
  auto* width = Find<linvale::ui::RuleSpinBox>(mEdges, "widthSil");
  Type(width, "0");
  QCOMPARE(mSettings.widthSil, 1);
  QCOMPARE(width->text(), QString("1"));
  QCOMPARE(mMainDlg.changes, 1);
  Type(width, "15");  // "1" is already there, "15" is corrected to 10
  QCOMPARE(mSettings.widthSil, 10);
  QCOMPARE(mMainDlg.changes, 2);
  width->stepBy(1);
  QCOMPARE(mSettings.widthSil, 10);
  width->stepBy(-2);
  QCOMPARE(mSettings.widthSil, 8);
  QCOMPARE(mMainDlg.changes, 3);

  auto* threshold = Find<linvale::ui::RuleSpinBox>(mEdges, "thresholdDegree");
  Type(threshold, "200");
  QCOMPARE(mSettings.thresholdDegree, 180.0);
  QCOMPARE(threshold->text(), QString("180"));
  threshold->stepBy(-1);
  QCOMPARE(mSettings.thresholdDegree, 179.5);
  QCOMPARE(threshold->text(), QString("179.5"));
}

void CartoonPagesTest::equalAndUnacceptedInputChangesNothing() {
  mSettings.widthEnd = 4;
  mSettings.thresholdDegree = 90.0;
  mEdges->show();
  Type(Find<linvale::ui::RuleSpinBox>(mEdges, "widthEnd"), "4");
  Type(Find<linvale::ui::RuleSpinBox>(mEdges, "thresholdDegree"), "x");
  Type(Find<linvale::ui::RuleSpinBox>(mEdges, "thresholdDegree"), "-");
  QCOMPARE(mSettings.widthEnd, 4);
  QCOMPARE(mSettings.thresholdDegree, 90.0);
  QCOMPARE(mMainDlg.changes, 0);
}

void CartoonPagesTest::groupSwitchEnablesItsControls() {
  mEdges->show();
  auto* creases = Find<QCheckBox>(mEdges, "edgesDis");
  QVERIFY(creases->isChecked());
  creases->click();
  QCOMPARE(mSettings.disEdges, 0);
  QCOMPARE(mMainDlg.changes, 1);
  QVERIFY(!Find<linvale::ui::RuleSpinBox>(mEdges, "widthDis")->isEnabled());
  QVERIFY(!Find<NprColorControl>(mEdges, "colorDis")->isEnabled());
  QVERIFY(!Find<QSlider>(mEdges, "varDisColor")->isEnabled());
  QVERIFY(!Find<linvale::ui::RuleSpinBox>(mEdges, "thresholdDegree")->isEnabled());
  QVERIFY(creases->isEnabled());
  // The other groups keep their state.
  QVERIFY(Find<linvale::ui::RuleSpinBox>(mEdges, "widthSil")->isEnabled());
  creases->click();
  QCOMPARE(mSettings.disEdges, 1);
  QVERIFY(Find<linvale::ui::RuleSpinBox>(mEdges, "thresholdDegree")->isEnabled());
}

void CartoonPagesTest::swatchStoresOnlyAConfirmedNewColour() {
  mSettings.endColor = TS_Color(1, 2, 3);
  mEdges->show();
  CheckSwatchStoresOnlyAConfirmedNewColour(Find<NprColorControl>(mEdges, "colorEnd"), RGB(1, 2, 3), RGB(200, 100, 50),
                                           *mHost, mMainDlg, [this] { return mSettings.endColor; });
}

void CartoonPagesTest::blendSlidersStoreHundredths() {
  mSettings.varSilColor = 0.25;
  mEdges->show();
  auto* slider = Find<QSlider>(mEdges, "varSilColor");
  QCOMPARE(slider->value(), 25);
  slider->setValue(37);
  QCOMPARE(mSettings.varSilColor, 0.37);
  mShade->show();
  Find<QSlider>(mShade, "varSpecular")->setValue(12);
  QCOMPARE(mSettings.varSpecular, 0.12);
  QCOMPARE(mMainDlg.changes, 2);
}

void CartoonPagesTest::baseStopsAtShadowAndShadowAtBase() {
  mSettings.varShadow = 0.6;
  mSettings.varDiffuse = 0.1;
  mShade->show();
  auto* base = Find<QSlider>(mShade, "varDiffuse");
  auto* shadow = Find<QSlider>(mShade, "varShadow");
  base->setFocus();
  base->triggerAction(QAbstractSlider::SliderToMaximum);
  QCOMPARE(mSettings.varDiffuse, 0.6);
  QCOMPARE(base->value(), 60);
  shadow->setValue(20);
  QCOMPARE(mSettings.varShadow, 0.6);
  QCOMPARE(shadow->value(), 60);
  base->setValue(30);
  shadow->setValue(20);
  QCOMPARE(mSettings.varShadow, 0.3);
  QCOMPARE(shadow->value(), 30);
}

void CartoonPagesTest::angleSlidersCountFromTheTop() {
  mSettings.specular = 24;
  mSettings.shadow = 104;
  mShade->show();
  auto* highlight = Find<QSlider>(mShade, "specular");
  auto* shadow = Find<QSlider>(mShade, "shadow");
  QCOMPARE(highlight->value(), 104);
  QCOMPARE(shadow->value(), 24);
  highlight->setValue(0);
  shadow->setValue(128);
  QCOMPARE(mSettings.specular, 128);
  QCOMPARE(mSettings.shadow, 0);
  QCOMPARE(mMainDlg.changes, 2);
}

void CartoonPagesTest::previewShowsThreeBandsThenTwo() {
  mShade->resize(400, 400);
  mShade->show();
  QVERIFY(QTest::qWaitForWindowExposed(mShade));
  auto* preview = Find<ShadePreview>(mShade, "shadePreview");
  QVERIFY(!preview->Picture().isNull());
  QCOMPARE(preview->Picture().size(), preview->size());
  QCOMPARE(LitColors(preview->Picture()).size(), 3u);

  Find<QSlider>(mShade, "specular")->setValue(0);
  Find<QSlider>(mShade, "shadow")->setValue(0);
  const std::set<QRgb> two = LitColors(preview->Picture());
  QCOMPARE(two.size(), 2u);
  // Shadow and highlight, grey, with no base between them.
  const int shadowGrey = qRound(255 * (1.0 - mSettings.varShadow) * 0.8);
  const int highlightGrey = qRound(255 * (mSettings.varSpecular + (1.0 - mSettings.varSpecular) * 0.8));
  QCOMPARE(two, (std::set<QRgb>{qRgb(shadowGrey, shadowGrey, shadowGrey) & 0xffffffu,
                                qRgb(highlightGrey, highlightGrey, highlightGrey) & 0xffffffu}));

  // A new size is a new picture of that size.
  preview->resize(90, 70);
  QCOMPARE(preview->Picture().size(), QSize(90, 70));
}

void CartoonPagesTest::pageChangeLandsInTheStyleFileAtOk() {
  const std::string custom =
      mHost->WriteSavedStyle("elm", "[Common]\nCurrent Render=Cartoon\nStyle=elm\n[Cartoon]\nwidthDis=2\n");
  NprRenderer renderer;
  QVERIFY(renderer.OnLoad() >= 1);
  NprShader* cartoon = NprShader::GetByTag("Cartoon");
  QVERIFY(cartoon != nullptr);
  {
    linvale::ui::SettingsDialog dialog(&renderer, nullptr, 0, linvale::ui::DialogPrompts{});
    dialog.show();
    // The plug-in's own pages, made once and kept.
    NprPageDialog* edges = cartoon->GetDialog(0);
    QVERIFY(edges != nullptr);
    QVERIFY(cartoon->GetDialog(0) == edges);
    QVERIFY(cartoon->GetDialog(2) == nullptr);
    QVERIFY(Find<QTabWidget>(&dialog, "pageTabs")->indexOf(edges) >= 0);
    auto* styles = Find<QComboBox>(&dialog, "styleBox");
    QCOMPARE(styles->currentText(), QString("elm"));
    Type(Find<linvale::ui::RuleSpinBox>(edges, "widthDis"), "7");
    // The page told the dialog: the settings are no longer the saved style.
    QCOMPARE(styles->currentIndex(), -1);
    QTest::mouseClick(Find<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
  const std::string saved = ReadText(custom);
  const std::size_t section = saved.find("[Cartoon]");
  QVERIFY(section != std::string::npos);
  QVERIFY(saved.find("widthDis=7", section) != std::string::npos);
}

QTEST_MAIN(CartoonPagesTest)
#include "cartoon_pages_test.moc"
