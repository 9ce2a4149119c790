// A host without a Qt application of its own: the dialog library makes one,
// and the process still ends cleanly after the dialog closed, with the
// application destroyed at exit. A plain program, since Qt Test would make
// the application itself.
#include <linvale/npr_renderer.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

#include "gui_application.h"
#include "support/quiet_host.h"

int main() {
  linvale::test::QuietHost host;
  NprHostApplicationServices::setDefaultHost(&host);
  NprRenderer renderer;
  // What ShowOptions does first, done here so that a timer can be set to
  // close the dialog it opens.
  if (QCoreApplication::instance() != nullptr || !linvale::ui::EnsureGuiApplication()) {
    std::fprintf(stderr, "no application made\n");
    return 1;
  }
  // Lives on this frame, which outlasts the modal loop that calls it.
  std::function<void()> poll;
  poll = [&poll] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()); dialog != nullptr) {
      dialog->findChild<QPushButton*>("cancelButton")->click();
      return;
    }
    QTimer::singleShot(10, poll);
  };
  QTimer::singleShot(0, poll);
  const int answer = renderer.ShowOptions(nullptr, 0);
  if (answer != 2) {
    std::fprintf(stderr, "ShowOptions gave %d instead of 2 for Cancel\n", answer);
    return 1;
  }
  return 0;
}
