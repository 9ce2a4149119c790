// What `npr-render --settings` is for: a change made on a shader's page and
// confirmed with OK is what the next plain `npr-render` draws with. The
// dialog runs in this process with the user's folders of the program.
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_page_dialog.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <string>

#include "find_widget.h"
#include "settings_dialog.h"
#include "support/temporary_home.h"

namespace {

using linvale::test::Find;

// A host that keeps the library's own folders, as npr-render's does.
class ProgramLikeHost final : public NprHostApplicationServices {
public:
  void Print(const char*, ...) override {}
  void OnPreviewSettings(NprRenderSettings&) override {}
};

// Pixels of a picture whose grey is below `level`.
int PixelsDarkerThan(const QString& picture, int level) {
  const QImage image(picture);
  int dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      dark += qGray(image.pixel(x, y)) < level ? 1 : 0;
    }
  }
  return dark;
}

}  // namespace

class SavedStyleRenderTest : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void aSketchChangeShowsInTheNextRender();
  void aCartoonChangeShowsInTheNextRender();

private:
  // npr-render's exit code for `arguments` without a display; -1 when it
  // crashed or hung.
  int RunNprRender(const QStringList& arguments) const;
  // A small quick picture of the user's default style.
  QString RenderDefaultStyle(const QString& name) const;
  // Runs the settings dialog as `npr-render --settings` would, lets `edit`
  // change the pages and confirms with OK.
  void EditAndConfirm(const std::function<void(linvale::ui::SettingsDialog&)>& edit);

  std::unique_ptr<linvale::test::TemporaryFolder> mHome;
  std::unique_ptr<linvale::test::ScopedEnvironment> mEnvironment;
  QProcessEnvironment mHeadless;
};

void SavedStyleRenderTest::init() {
  mHome = std::make_unique<linvale::test::TemporaryFolder>();
  mEnvironment = std::make_unique<linvale::test::ScopedEnvironment>();
  // This process's host finds the same folders as the program.
  mEnvironment->Set("HOME", mHome->Path().string());
  mEnvironment->Set("XDG_CONFIG_HOME", *mHome / "config");
  mEnvironment->Set("XDG_DATA_HOME", *mHome / "data");
  mHeadless = QProcessEnvironment::systemEnvironment();
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    mHeadless.remove(variable);
  }
  // Without a display the program only seeds the user's default style from
  // the shipped one, Pencil Lines.
  QCOMPARE(RunNprRender({"--settings"}), 2);
}

void SavedStyleRenderTest::cleanup() {
  mEnvironment.reset();
  mHome.reset();
}

int SavedStyleRenderTest::RunNprRender(const QStringList& arguments) const {
  QProcess render;
  render.setProcessEnvironment(mHeadless);
  render.start(NPR_RENDER_PROGRAM, arguments);
  if (!render.waitForFinished(120000)) {
    render.kill();
    render.waitForFinished();
    return -1;
  }
  return render.exitStatus() == QProcess::NormalExit ? render.exitCode() : -1;
}

QString SavedStyleRenderTest::RenderDefaultStyle(const QString& name) const {
  const QString picture = QString::fromStdString(*mHome / name.toStdString());
  const int status = RunNprRender({"--size", "320x240", "--aa", "none", "-o", picture});
  return status == 0 ? picture : QString();
}

void SavedStyleRenderTest::EditAndConfirm(const std::function<void(linvale::ui::SettingsDialog&)>& edit) {
  ProgramLikeHost host;
  NprHostApplicationServices* previous = NprHostApplicationServices::setDefaultHost(&host);
  {
    NprRenderer renderer;
    QVERIFY(renderer.OnLoad() >= 1);
    linvale::ui::SettingsDialog dialog(&renderer, nullptr, 0, linvale::ui::DialogPrompts{});
    dialog.show();
    edit(dialog);
    QTest::mouseClick(Find<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
  NprHostApplicationServices::setDefaultHost(previous);
}

void SavedStyleRenderTest::aSketchChangeShowsInTheNextRender() {
  const QString before = RenderDefaultStyle("before.png");
  QVERIFY(!before.isEmpty());
  EditAndConfirm([this](linvale::ui::SettingsDialog&) {
    NprShader* sketch = NprShader::GetByTag("Sketch");
    QVERIFY(sketch != nullptr);
    NprPageDialog* edges = sketch->GetDialog(0);
    QVERIFY(edges != nullptr);
    for (const char* kind : {"silEdges", "endEdges", "disEdges"}) {
      auto* on = Find<QCheckBox>(edges, kind);
      QVERIFY(on->isChecked());
      on->click();
    }
  });
  const QString after = RenderDefaultStyle("after.png");
  QVERIFY(!after.isEmpty());
  // Pencil strokes before, none once every edge kind is off.
  const int strokes = PixelsDarkerThan(before, 160);
  QVERIFY2(strokes > 500, qPrintable(QString::number(strokes)));
  QCOMPARE(PixelsDarkerThan(after, 160), 0);
}

void SavedStyleRenderTest::aCartoonChangeShowsInTheNextRender() {
  EditAndConfirm([this](linvale::ui::SettingsDialog& dialog) {
    auto* styles = Find<QComboBox>(&dialog, "styleBox");
    const int brightCel = styles->findText("Bright Cel");
    QVERIFY(brightCel >= 0);
    styles->setCurrentIndex(brightCel);
    emit styles->activated(brightCel);
  });
  const QString outlined = RenderDefaultStyle("outlined.png");
  QVERIFY(!outlined.isEmpty());
  EditAndConfirm([this](linvale::ui::SettingsDialog&) {
    NprShader* cartoon = NprShader::GetByTag("Cartoon");
    QVERIFY(cartoon != nullptr);
    NprPageDialog* edges = cartoon->GetDialog(0);
    QVERIFY(edges != nullptr);
    for (const char* kind : {"edgesSil", "edgesEnd", "edgesDis"}) {
      auto* on = Find<QCheckBox>(edges, kind);
      QVERIFY(on->isChecked());
      on->click();
    }
  });
  const QString plain = RenderDefaultStyle("plain.png");
  QVERIFY(!plain.isEmpty());
  // Bright Cel draws black outlines over lit, coloured faces: black pixels
  // before, none once every edge kind is off.
  const int outlines = PixelsDarkerThan(outlined, 24);
  QVERIFY2(outlines > 300, qPrintable(QString::number(outlines)));
  QCOMPARE(PixelsDarkerThan(plain, 24), 0);
}

QTEST_MAIN(SavedStyleRenderTest)
#include "saved_style_render_test.moc"
