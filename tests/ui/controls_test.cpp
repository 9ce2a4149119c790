// The colour swatch, the page base, the host's default choosers and the
// message boxes, offscreen.
#include <linvale/npr_color_control.h>
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_page_dialog.h>
#include <linvale/npr_renderer.h>

#include <win32/message_box.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

#include "support/quiet_host.h"
#include "support/temporary_home.h"
#include "test_host.h"

namespace {

class CountingMainDialog : public NprUiMainDlg {
public:
  NprRenderSettings WorkingSettings() const override { return {}; }
  void ParametersChanged() override { ++changes; }
  int changes = 0;
};

class ProbePage : public NprPageDialog {
public:
  using NprPageDialog::resetStyle;
};

// Runs `action` on the modal dialog of type Dialog once it is open.
template <typename Dialog>
void WhenModalOpens(std::function<void(Dialog&)> action) {
  // The pending timer holds the poll; the poll only refers to itself, so it
  // goes once it has acted.
  auto poll = std::make_shared<std::function<void()>>();
  const std::weak_ptr<std::function<void()>> self = poll;
  *poll = [action, self] {
    if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()); dialog != nullptr) {
      action(*dialog);
      return;
    }
    if (const auto again = self.lock()) {
      QTimer::singleShot(10, [again] { (*again)(); });
    }
  };
  QTimer::singleShot(0, [poll] { (*poll)(); });
}

QRgb PixelAtCentre(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  return image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFFu;
}

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

private slots:
  void init() {
    mHost = std::make_unique<linvale::test::DialogTestHost>("/nonexistent");
    mPrevious = NprHostApplicationServices::setDefaultHost(mHost.get());
  }
  void cleanup() {
    NprHostApplicationServices::setDefaultHost(mPrevious);
    mHost.reset();
  }

  void swatchIsPaintedInItsColourOnlyWhileEnabled() {
    NprColorControl swatch;
    swatch.resize(40, 20);
    swatch.mColor = RGB(255, 0, 0);
    QCOMPARE(PixelAtCentre(swatch), qRgb(255, 0, 0) & 0xFFFFFFu);
    swatch.setEnabled(false);
    QVERIFY(PixelAtCentre(swatch) != (qRgb(255, 0, 0) & 0xFFFFFFu));
  }

  void confirmedChoiceChangesTheColourAndNotifies() {
    NprColorControl swatch;
    swatch.mColor = RGB(1, 2, 3);
    QSignalSpy clicked(&swatch, &NprColorControl::clicked);
    mHost->chosenColor = RGB(4, 5, 6);
    QTest::mouseClick(&swatch, Qt::LeftButton);
    QCOMPARE(mHost->offeredColor, RGB(1, 2, 3));
    QCOMPARE(swatch.mColor, RGB(4, 5, 6));
    QCOMPARE(clicked.count(), 1);
  }

  void cancelledChoiceKeepsTheColourAndStillNotifies() {
    NprColorControl swatch;
    swatch.mColor = RGB(1, 2, 3);
    QSignalSpy clicked(&swatch, &NprColorControl::clicked);
    mHost->chosenColor.reset();
    QTest::mouseClick(&swatch, Qt::LeftButton);
    QCOMPARE(mHost->colorChooserCalls, 1);
    QCOMPARE(swatch.mColor, RGB(1, 2, 3));
    QCOMPARE(clicked.count(), 1);
    // Only the left button opens the chooser.
    QTest::mouseClick(&swatch, Qt::RightButton);
    QCOMPARE(mHost->colorChooserCalls, 1);
  }

  void pageTellsItsDialogAndIgnoresEnterAndEscape() {
    CountingMainDialog main;
    ProbePage page;
    page.resetStyle();
    QCOMPARE(main.changes, 0);
    page.setMainDlg(&main);
    page.resetStyle();
    page.resetStyle();
    QCOMPARE(main.changes, 2);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTest::keyClick(&page, Qt::Key_Escape);
    QTest::keyClick(&page, Qt::Key_Return);
    QVERIFY(page.isVisible());
    QCOMPARE(page.result(), 0);
  }

  void defaultColourChooserStartsAtTheColourAndKeepsItOnCancel() {
    linvale::test::QuietHost plain;
    NprHostApplicationServices::setDefaultHost(&plain);
    unsigned long color = RGB(10, 20, 30);
    std::optional<QColor> offered;
    WhenModalOpens<QColorDialog>([&](QColorDialog& dialog) {
      offered = dialog.currentColor();
      dialog.setCurrentColor(QColor(40, 50, 60));
      dialog.reject();
    });
    QCOMPARE(NprHostApplicationServices::getDefaultHost()->GetColorDialog(nullptr, color), 0);
    QCOMPARE(*offered, QColor(10, 20, 30));
    QCOMPARE(color, RGB(10, 20, 30));

    WhenModalOpens<QColorDialog>([](QColorDialog& dialog) {
      dialog.setCurrentColor(QColor(40, 50, 60));
      dialog.accept();
    });
    QCOMPARE(NprHostApplicationServices::getDefaultHost()->GetColorDialog(nullptr, color), 1);
    QCOMPARE(color, RGB(40, 50, 60));
    NprHostApplicationServices::setDefaultHost(mHost.get());
  }

  void defaultImageChooserStartsEmptyAndAddsTheRowsExtension() {
    linvale::test::QuietHost plain;
    NprHostApplicationServices::setDefaultHost(&plain);
    const linvale::test::TemporaryFolder folder;
    char file[MAX_PATH] = "left over";
    QString typed;
    QStringList filters;
    WhenModalOpens<QFileDialog>([&](QFileDialog& dialog) {
      filters = dialog.nameFilters();
      if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit"); name != nullptr) {
        typed = name->text();
      }
      dialog.selectNameFilter(filters[3]);
      dialog.selectFile(QString::fromStdString(folder / "picture"));
      // accept() is public on QDialog only.
      static_cast<QDialog&>(dialog).accept();
    });
    QCOMPARE(NprHostApplicationServices::getDefaultHost()->GetBitmapFilename(nullptr, file, MAX_PATH, 0), 1);
    QCOMPARE(typed, QString());
    QCOMPARE(filters.size(), 13);
    QVERIFY(filters[3].startsWith(".PNG (Portable Network Graphics)"));
    QCOMPARE(QString(file), QString::fromStdString(folder / "picture.png"));

    WhenModalOpens<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    QCOMPARE(NprHostApplicationServices::getDefaultHost()->GetBitmapFilename(nullptr, file, MAX_PATH, 0), 0);
    QCOMPARE(QString(file), QString());
    NprHostApplicationServices::setDefaultHost(mHost.get());
  }

  void showOptionsLoadsTheDialogAndAnswersWithItsButton() {
    // Through the renderer: plug-ins loaded, the dialog library found by
    // name beside liblinvale, 1 for OK and 2 for Cancel.
    NprRenderer renderer;
    QString title;
    WhenModalOpens<QDialog>([&](QDialog& dialog) {
      title = dialog.windowTitle();
      dialog.findChild<QPushButton*>("okButton")->click();
    });
    QCOMPARE(renderer.ShowOptions(nullptr, 0), 1);
    QCOMPARE(title, QString("Orvelle Settings"));
    WhenModalOpens<QDialog>([](QDialog& dialog) { dialog.findChild<QPushButton*>("cancelButton")->click(); });
    QCOMPARE(renderer.ShowOptions(nullptr, 1), 2);
  }

  void messageBoxesAreQtBoxesWithTheAnswerPressed() {
    QString shownText;
    QString shownTitle;
    WhenModalOpens<QMessageBox>([&](QMessageBox& box) {
      shownText = box.text();
      shownTitle = box.windowTitle();
      box.button(QMessageBox::No)->click();
    });
    QCOMPARE(MessageBoxA(nullptr, "Replace the paper?", "Sketch", MB_YESNO | MB_ICONQUESTION), IDNO);
    QCOMPARE(shownText, QString("Replace the paper?"));
    QCOMPARE(shownTitle, QString("Sketch"));

    WhenModalOpens<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Retry)->click(); });
    QCOMPARE(MessageBoxA(nullptr, "Try again?", nullptr, MB_RETRYCANCEL), IDRETRY);
  }

private:
  std::unique_ptr<linvale::test::DialogTestHost> mHost;
  NprHostApplicationServices* mPrevious = nullptr;
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
