// The Sketch pages driven offscreen: typed and stepped values, the switches
// and what they enable, the swatch, the paper chooser, what each change tells
// the settings dialog, and a change saved through the dialog.
#include "sketch_settings.h"

#include <linvale/npr_color_control.h>
#include <linvale/npr_page_dialog.h>
#include <linvale/npr_pages_interface.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>
#include <linvale/rule_spin_box.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
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

using linvale::sketch::SketchSettings;

// A host that keeps the library's own image file chooser.
class ChooserHost final : public NprHostApplicationServices {
public:
  void Print(const char*, ...) override {}
  void OnPreviewSettings(NprRenderSettings&) override {}
};

QLabel* LabelOf(QWidget* field) {
  for (QLabel* label : field->parentWidget()->findChildren<QLabel*>()) {
    if (label->buddy() == field) {
      return label;
    }
  }
  qFatal("no label for %s", qPrintable(field->objectName()));
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

class SketchPagesTest : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void thresholdIsClampedSteppedAndFollowsCreases();
  void wholeNumbersAreClampedToTheirRanges();
  void unacceptedAndEqualInputChangesNothing();
  void endsMinStopsAtMaxAndGoesDownToMinusThousand();
  void widthVariationOffLeavesTheFixedWidth();
  void openingMendsAMinWidthAboveTheMax();
  void colourChoiceEnablesItsControls();
  void realEditsWaitForTheDigitAfterThePoint();
  void swatchStoresOnlyAConfirmedNewColour();
  void fillSwitchAndChoicesWriteTheRecord();
  void cancellingThePaperChooserClearsThePaper();
  void aPaperIsKeptOnlyWhenItLoads();
  void thePaperChooserSaysWhatItIsFor();
  void eachAcceptedChangeRestartsThePreviewOnce();
  void pageChangeLandsInTheStyleFileAtOk();

private:
  std::unique_ptr<linvale::test::TemporaryFolder> mRoot;
  std::unique_ptr<linvale::test::DialogTestHost> mHost;
  NprHostApplicationServices* mPreviousHost = nullptr;
  SketchSettings mSettings;
  CountingMainDlg mMainDlg;
  std::unique_ptr<NprPages, PagesDeleter> mPages;
  NprPageDialog* mEdges = nullptr;
  NprPageDialog* mShape = nullptr;
  NprPageDialog* mColor = nullptr;
  NprPageDialog* mFill = nullptr;
};

void SketchPagesTest::init() {
  mRoot = std::make_unique<linvale::test::TemporaryFolder>();
  mHost = std::make_unique<linvale::test::DialogTestHost>(mRoot->Path().string());
  mPreviousHost = NprHostApplicationServices::setDefaultHost(mHost.get());
  mSettings = SketchSettings{};
  mMainDlg.changes = 0;
  mPages.reset(NprPagesCreate(&mSettings));
  QVERIFY(mPages != nullptr);
  mEdges = NprPagesGet(mPages.get(), 0);
  mShape = NprPagesGet(mPages.get(), 1);
  mColor = NprPagesGet(mPages.get(), 2);
  mFill = NprPagesGet(mPages.get(), 3);
  QVERIFY(NprPagesGet(mPages.get(), 4) == nullptr);
  QCOMPARE(mEdges->windowTitle(), QString("Edges"));
  QCOMPARE(mShape->windowTitle(), QString("Line Shape"));
  QCOMPARE(mColor->windowTitle(), QString("Line Color"));
  QCOMPARE(mFill->windowTitle(), QString("Fill"));
  for (NprPageDialog* page : {mEdges, mShape, mColor, mFill}) {
    page->setMainDlg(&mMainDlg);
  }
}

void SketchPagesTest::cleanup() {
  mPages.reset();
  NprHostApplicationServices::setDefaultHost(mPreviousHost);
  mHost.reset();
  mRoot.reset();
}

void SketchPagesTest::thresholdIsClampedSteppedAndFollowsCreases() {
  mEdges->show();
  auto* threshold = Find<linvale::ui::RuleSpinBox>(mEdges, "thresholdDegree");
  QCOMPARE(threshold->text(), QString("157"));
  Type(threshold, "200");
  QCOMPARE(mSettings.thresholdDegree, 180.0);
  QCOMPARE(threshold->text(), QString("180"));
  threshold->stepBy(1);
  QCOMPARE(mSettings.thresholdDegree, 180.0);
  threshold->stepBy(-1);
  QCOMPARE(mSettings.thresholdDegree, 179.5);
  QCOMPARE(threshold->text(), QString("179.5"));

  // The hidden edge length keeps its own lower bound.
  auto* maxLength = Find<linvale::ui::RuleSpinBox>(mEdges, "maxLength");
  QVERIFY(maxLength->isHidden());
  QVERIFY(!maxLength->isEnabled());

  Find<QCheckBox>(mEdges, "disEdges")->click();
  QCOMPARE(mSettings.disEdges, 0);
  QVERIFY(!threshold->isEnabled());
  QVERIFY(!LabelOf(threshold)->isEnabled());
  Find<QCheckBox>(mEdges, "silEdges")->click();
  QCOMPARE(mSettings.silEdges, 0);
  QVERIFY(!threshold->isEnabled());
  Find<QCheckBox>(mEdges, "disEdges")->click();
  QVERIFY(threshold->isEnabled());
}

void SketchPagesTest::wholeNumbersAreClampedToTheirRanges() {
  mShape->show();
  auto* lines = Find<linvale::ui::RuleSpinBox>(mShape, "numLines");
  Type(lines, "0");
  QCOMPARE(mSettings.numLines, 1);
  QCOMPARE(lines->text(), QString("1"));
  Type(lines, "15");
  QCOMPARE(mSettings.numLines, 10);
  QCOMPARE(lines->text(), QString("10"));

  // Width 0 is one pixel wide.
  Type(Find<linvale::ui::RuleSpinBox>(mShape, "minWidth"), "0");
  QCOMPARE(mSettings.minWidth, 1.0);

  Find<QCheckBox>(mShape, "bseedRandom")->click();
  auto* seed = Find<linvale::ui::RuleSpinBox>(mShape, "seedRandom");
  Type(seed, "70000");
  QCOMPARE(mSettings.seedRandom, 65535);
  seed->stepBy(1);
  QCOMPARE(mSettings.seedRandom, 65535);
  seed->stepBy(-3);
  QCOMPARE(mSettings.seedRandom, 65532);

  mColor->show();
  Type(Find<linvale::ui::RuleSpinBox>(mColor, "windowInt"), "500");
  QCOMPARE(mSettings.windowInt, 100);
}

void SketchPagesTest::unacceptedAndEqualInputChangesNothing() {
  mShape->show();
  mEdges->show();
  mColor->show();
  const SketchSettings before = mSettings;
  Type(Find<linvale::ui::RuleSpinBox>(mEdges, "thresholdDegree"), "x1");
  Type(Find<linvale::ui::RuleSpinBox>(mShape, "numLines"), "1.5");
  Type(Find<linvale::ui::RuleSpinBox>(mShape, "windowWavy"), "5");  // the stored value
  Type(Find<linvale::ui::RuleSpinBox>(mColor, "minHue"), "-");      // digits only
  QCOMPARE(mMainDlg.changes, 0);
  QVERIFY(mSettings == before);
}

void SketchPagesTest::endsMinStopsAtMaxAndGoesDownToMinusThousand() {
  mShape->show();
  auto* low = Find<linvale::ui::RuleSpinBox>(mShape, "minDir");
  Type(low, "5");
  QCOMPARE(mSettings.minDir, 0.6);
  QCOMPARE(low->text(), QString("0.6"));
  low->stepBy(1);
  QCOMPARE(mSettings.minDir, 0.6);
  Type(low, "-5000");
  QCOMPARE(mSettings.minDir, -1000.0);
  // The max. may now go down as far as the min.
  Type(Find<linvale::ui::RuleSpinBox>(mShape, "maxDir"), "-2000");
  QCOMPARE(mSettings.maxDir, -1000.0);

  Find<QCheckBox>(mShape, "randDir")->click();
  QVERIFY(!low->isEnabled());
  QVERIFY(!Find<QRadioButton>(mShape, "everySegment1")->isEnabled());
  QVERIFY(Find<QCheckBox>(mShape, "randDir")->isEnabled());
}

void SketchPagesTest::widthVariationOffLeavesTheFixedWidth() {
  mShape->show();
  auto* label = Find<QLabel>(mShape, "minWidthLabel");
  auto* low = Find<linvale::ui::RuleSpinBox>(mShape, "minWidth");
  auto* high = Find<linvale::ui::RuleSpinBox>(mShape, "maxWidth");
  auto* interval = Find<linvale::ui::RuleSpinBox>(mShape, "windowWidth");
  QCOMPARE(label->text(), QString("Min."));
  QVERIFY(high->isEnabled() && interval->isEnabled());

  Find<QCheckBox>(mShape, "varWidth")->click();
  QCOMPARE(mSettings.varWidth, 0);
  QCOMPARE(label->text(), QString("Width"));
  QVERIFY(low->isEnabled());
  QVERIFY(!high->isEnabled());
  QVERIFY(!interval->isEnabled());
  // The fixed width may pass the max. of the variation, not 10.
  Type(low, "9");
  QCOMPARE(mSettings.minWidth, 8.0);  // typed values still stop at the max.
  low->stepBy(1);
  QCOMPARE(mSettings.minWidth, 9.0);
  low->stepBy(5);
  QCOMPARE(mSettings.minWidth, 10.0);

  Find<QCheckBox>(mShape, "varWidth")->click();
  QCOMPARE(label->text(), QString("Min."));
  QVERIFY(high->isEnabled());
}

void SketchPagesTest::openingMendsAMinWidthAboveTheMax() {
  mSettings.minWidth = 9.0;
  mSettings.maxWidth = 4.0;
  mShape->show();
  QCOMPARE(mSettings.minWidth, 4.0);
  QCOMPARE(Find<linvale::ui::RuleSpinBox>(mShape, "minWidth")->text(), QString("4"));
  mShape->hide();
  // Without variation the fixed width stands on its own.
  mSettings.varWidth = 0;
  mSettings.minWidth = 9.0;
  mShape->show();
  QCOMPARE(mSettings.minWidth, 9.0);
}

void SketchPagesTest::colourChoiceEnablesItsControls() {
  mColor->show();
  auto* swatch = Find<NprColorControl>(mColor, "singleHue");
  auto* less = Find<linvale::ui::RuleSpinBox>(mColor, "minHue");
  auto* plus = Find<linvale::ui::RuleSpinBox>(mColor, "maxHue");
  auto* red = Find<linvale::ui::RuleSpinBox>(mColor, "minRed");
  auto* blue = Find<linvale::ui::RuleSpinBox>(mColor, "maxBlue");
  QVERIFY(Find<QRadioButton>(mColor, "modeHue0")->isChecked());
  QVERIFY(less->isEnabled() && plus->isEnabled());
  QVERIFY(!swatch->isEnabled() && !red->isEnabled() && !blue->isEnabled());

  Find<QRadioButton>(mColor, "modeHue1")->click();
  QCOMPARE(mSettings.modeHue, 1);
  QVERIFY(less->isEnabled() && swatch->isEnabled());
  QVERIFY(!red->isEnabled());

  Find<QRadioButton>(mColor, "modeHue2")->click();
  QCOMPARE(mSettings.modeHue, 2);
  QVERIFY(!swatch->isEnabled() && !less->isEnabled() && !plus->isEnabled());
  QVERIFY(red->isEnabled() && blue->isEnabled());
  QCOMPARE(mMainDlg.changes, 2);

  Find<QCheckBox>(mColor, "varInt")->click();
  QVERIFY(!Find<linvale::ui::RuleSpinBox>(mColor, "windowInt")->isEnabled());
  QVERIFY(!Find<linvale::ui::RuleSpinBox>(mColor, "maxInt")->isEnabled());
}

void SketchPagesTest::realEditsWaitForTheDigitAfterThePoint() {
  mSettings.modeHue = 2;
  mColor->show();
  auto* high = Find<linvale::ui::RuleSpinBox>(mColor, "maxRed");
  auto* edit = high->findChild<QLineEdit*>();
  edit->selectAll();
  QTest::keyClicks(edit, "0.");
  QCOMPARE(mSettings.maxRed, 0.0);  // from the "0"; the point waits
  QCOMPARE(edit->text(), QString("0."));
  QCOMPARE(mMainDlg.changes, 1);
  QTest::keyClicks(edit, "7");
  QCOMPARE(mSettings.maxRed, 0.7);
  QCOMPARE(mMainDlg.changes, 2);
  // A min. above the max. stops at it; the steps keep the order.
  Type(Find<linvale::ui::RuleSpinBox>(mColor, "minRed"), "0.9");
  QCOMPARE(mSettings.minRed, 0.7);
  high->stepBy(-1);
  QCOMPARE(mSettings.maxRed, 0.7);
}

void SketchPagesTest::swatchStoresOnlyAConfirmedNewColour() {
  mSettings.modeHue = 1;
  mSettings.singleHue = TS_Color(10, 20, 30);
  mColor->show();
  CheckSwatchStoresOnlyAConfirmedNewColour(Find<NprColorControl>(mColor, "singleHue"), RGB(10, 20, 30), RGB(1, 2, 3),
                                           *mHost, mMainDlg, [this] { return mSettings.singleHue; });
}

void SketchPagesTest::fillSwitchAndChoicesWriteTheRecord() {
  mFill->show();
  auto* pencil = Find<QRadioButton>(mFill, "textureMode1");
  QVERIFY(!pencil->isEnabled());
  Find<QCheckBox>(mFill, "textureFill")->click();
  QCOMPARE(mSettings.textureFill, 1);
  QVERIFY(pencil->isEnabled());
  Find<QRadioButton>(mFill, "textureMode2")->click();
  QCOMPARE(mSettings.textureMode, 2);
  pencil->click();
  QCOMPARE(mSettings.textureMode, 1);
  QVERIFY(!Find<QRadioButton>(mFill, "textureMode2")->isChecked());
  QCOMPARE(mMainDlg.changes, 3);

  mShape->show();
  Find<QRadioButton>(mShape, "everySegment1")->click();
  QCOMPARE(mSettings.everySegment, 1);
  // A choice on another page is its own group.
  QVERIFY(pencil->isChecked());
}

void SketchPagesTest::cancellingThePaperChooserClearsThePaper() {
  std::strcpy(mSettings.paper, "paper-laid.png");
  mSettings.b_paper = 1;
  mFill->show();
  auto* paper = Find<QLineEdit>(mFill, "paper");
  QCOMPARE(paper->text(), QString("paper-laid.png"));
  QVERIFY(paper->isReadOnly());
  Find<QPushButton>(mFill, "paperButton")->click();
  QCOMPARE(mHost->fileChooserCalls, 1);
  QCOMPARE(mSettings.b_paper, 0);
  QCOMPARE(mSettings.paper[0], '\0');
  QVERIFY(paper->text().isEmpty());
  QCOMPARE(mMainDlg.changes, 1);
}

void SketchPagesTest::aPaperIsKeptOnlyWhenItLoads() {
  const std::string image = (mRoot->Path() / "grain.bmp").string();
  QImage grain(8, 8, QImage::Format_RGB32);
  grain.fill(Qt::gray);
  QVERIFY(grain.save(QString::fromStdString(image), "BMP"));
  mFill->show();
  mHost->chosenFile = image;
  Find<QPushButton>(mFill, "paperButton")->click();
  QCOMPARE(mSettings.b_paper, 1);
  QCOMPARE(std::string(mSettings.paper), image);
  QCOMPARE(Find<QLineEdit>(mFill, "paper")->text(), QString::fromStdString(image));

  const std::string text = (mRoot->Path() / "notes.bmp").string();
  std::ofstream(text) << "not a picture";
  mHost->chosenFile = text;
  Find<QPushButton>(mFill, "paperButton")->click();
  QCOMPARE(mSettings.b_paper, 0);
  QCOMPARE(mSettings.paper[0], '\0');
  // Told every time, also when the paper was switched off.
  QCOMPARE(mMainDlg.changes, 2);
}

void SketchPagesTest::thePaperChooserSaysWhatItIsFor() {
  ChooserHost host;
  NprHostApplicationServices::setDefaultHost(&host);
  mFill->show();
  QString title;
  QStringList filters;
  QTimer poll;
  poll.setInterval(20);
  connect(&poll, &QTimer::timeout, this, [&] {
    if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      title = chooser->windowTitle();
      filters = chooser->nameFilters();
      chooser->reject();
    }
  });
  poll.start();
  Find<QPushButton>(mFill, "paperButton")->click();
  poll.stop();
  NprHostApplicationServices::setDefaultHost(mHost.get());
  QCOMPARE(title, QString("Open paper texture in Orvelle "));
  QCOMPARE(filters.size(), 13);
  QVERIFY(filters.front().contains("*.pcx"));
  QVERIFY(filters.back().contains("*.*"));
  QCOMPARE(mSettings.b_paper, 0);
}

void SketchPagesTest::eachAcceptedChangeRestartsThePreviewOnce() {
  for (NprPageDialog* page : {mEdges, mShape, mColor, mFill}) {
    page->show();
  }
  int expected = 0;
  const auto changed = [&](const char* what) {
    ++expected;
    if (mMainDlg.changes != expected) {
      qFatal("%s told the dialog %d times", what, mMainDlg.changes - expected + 1);
    }
  };
  Type(Find<linvale::ui::RuleSpinBox>(mEdges, "thresholdDegree"), "9");
  changed("typing");
  Find<linvale::ui::RuleSpinBox>(mEdges, "thresholdDegree")->stepBy(2);
  changed("stepping");
  Find<QCheckBox>(mShape, "randWavy")->click();
  changed("a switch");
  Find<QRadioButton>(mShape, "everySegment1")->click();
  changed("a choice");
  Find<QRadioButton>(mColor, "modeHue1")->click();
  changed("the colour choice");
  mHost->chosenColor = RGB(9, 9, 9);
  QTest::mouseClick(Find<NprColorControl>(mColor, "singleHue"), Qt::LeftButton);
  changed("the swatch");
  Find<QPushButton>(mFill, "paperButton")->click();
  changed("the paper");
  // Changes that keep the record as it was tell nothing.
  Find<QRadioButton>(mShape, "everySegment1")->click();
  Find<linvale::ui::RuleSpinBox>(mShape, "numLines")->stepBy(-1);
  QCOMPARE(mMainDlg.changes, expected);
}

void SketchPagesTest::pageChangeLandsInTheStyleFileAtOk() {
  const std::string custom =
      mHost->WriteSavedStyle("oak", "[Common]\nCurrent Render=Sketch\nStyle=oak\n[Sketch]\nnumLines=2\n");
  NprRenderer renderer;
  QVERIFY(renderer.OnLoad() >= 1);
  NprShader* sketch = NprShader::GetByTag("Sketch");
  QVERIFY(sketch != nullptr);
  {
    linvale::ui::SettingsDialog dialog(&renderer, nullptr, 0, linvale::ui::DialogPrompts{});
    dialog.show();
    // The plug-in's own pages, made once and kept.
    NprPageDialog* shape = sketch->GetDialog(1);
    QVERIFY(shape != nullptr);
    QVERIFY(sketch->GetDialog(1) == shape);
    QVERIFY(sketch->GetDialog(3) != nullptr);
    QVERIFY(sketch->GetDialog(4) == nullptr);
    auto* tabs = Find<QTabWidget>(&dialog, "pageTabs");
    QVERIFY(tabs->indexOf(shape) >= 0);
    tabs->setCurrentWidget(shape);
    auto* styles = Find<QComboBox>(&dialog, "styleBox");
    QCOMPARE(styles->currentText(), QString("oak"));
    Type(Find<linvale::ui::RuleSpinBox>(shape, "numLines"), "4");
    // The page told the dialog: the settings are no longer the saved style.
    QCOMPARE(styles->currentIndex(), -1);
    QCOMPARE(QString(dialog.WorkingSettings().GetStyle()), QString());
    Type(Find<linvale::ui::RuleSpinBox>(shape, "windowWavy"), "7");
    QTest::mouseClick(Find<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
  const std::string saved = ReadText(custom);
  const std::size_t section = saved.find("[Sketch]");
  QVERIFY(section != std::string::npos);
  QVERIFY(saved.find("numLines=4", section) != std::string::npos);
  QVERIFY(saved.find("windowWavy=7", section) != std::string::npos);
}

QTEST_MAIN(SketchPagesTest)
#include "sketch_pages_test.moc"
