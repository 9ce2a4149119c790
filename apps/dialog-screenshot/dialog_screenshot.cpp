// dialog-screenshot: opens the settings dialog offscreen on a style, waits
// for its preview and saves a picture of the dialog. scripts/make-dialog-
// screenshots runs it for the pictures in docs/.
//
//   dialog-screenshot STYLE OUTPUT.png [PAGE]
//
// PAGE is the title of the tab to show; without it the dialog's own choice.
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_renderer.h>

#include <win32/registry.h>

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

#include "settings_dialog.h"

namespace {

class ScreenshotHost : public NprHostApplicationServices {
public:
  void OnPreviewSettings(NprRenderSettings&) override {}
};

// The preference lives under a key only an installer makes.
void TurnPreviewOn(NprHostApplicationServices& host) {
  char key[MAX_PATH];
  host.getPluginRegistryKey(key);
  HKEY opened = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr) ==
      ERROR_SUCCESS) {
    RegCloseKey(opened);
  }
  host.setShowPreview(true);
}

bool ShowPage(QWidget& dialog, const QString& title) {
  auto* tabs = dialog.findChild<QTabWidget*>("pageTabs");
  for (int tab = 0; tab < tabs->count(); ++tab) {
    if (tabs->tabText(tab) == title) {
      tabs->setCurrentIndex(tab);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: dialog-screenshot STYLE OUTPUT.png [PAGE]\n");
    return 2;
  }
  ScreenshotHost host;
  NprHostApplicationServices::setDefaultHost(&host);
  TurnPreviewOn(host);
  NprRenderer renderer;
  TS_Viewport camera;
  camera.SetProjection(TS::perspective_view);
  renderer.setDefaultViewport(camera);
  if (renderer.OnLoad() == 0) {
    std::fprintf(stderr, "dialog-screenshot: no shader plug-ins\n");
    return 1;
  }
  linvale::ui::SettingsDialog dialog(&renderer, nullptr, 0);
  auto* styles = dialog.findChild<QComboBox*>("styleBox");
  const int style = styles->findText(QString::fromUtf8(argv[1]));
  if (style < 0) {
    std::fprintf(stderr, "dialog-screenshot: no style '%s'\n", argv[1]);
    return 1;
  }
  dialog.show();
  styles->setCurrentIndex(style);
  emit styles->activated(style);
  if (argc == 4 && !ShowPage(dialog, QString::fromUtf8(argv[3]))) {
    std::fprintf(stderr, "dialog-screenshot: no page '%s'\n", argv[3]);
    return 1;
  }
  int status = 1;
  // The preview is drawn when the shader is shown; a moment later the
  // dialog has painted it.
  QTimer::singleShot(2 * linvale::ui::SettingsDialog::kPreviewDelayMs, [&] {
    status = dialog.grab().save(QString::fromUtf8(argv[2])) ? 0 : 1;
    application.quit();
  });
  application.exec();
  return status;
}
