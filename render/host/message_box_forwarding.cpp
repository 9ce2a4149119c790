// Message boxes of a process that runs Qt Widgets appear as Qt message
// boxes; elsewhere the platform's handler (a line on standard error) stays.
// The choice is made per box, so a host that starts its GUI after loading
// the renderer still gets real boxes, and a headless one never loads Qt.
#include "ui_entry_points.h"
#include "ui_module.h"

#include <linvale/npr_qt_widgets.h>

#include <win32/message_box.h>

namespace linvale::host {

namespace {

// Never null: the platform hands out its default when nothing else was set.
MessageBoxHandler gPreviousHandler = nullptr;

int ForwardMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  try {
    if (NprQtWidgetsLoaded()) {
      if (const auto show = UiEntry<NprUiMessageBoxEntry>(kUiMessageBox); show != nullptr) {
        if (const int answer = show(owner, text, caption, type); answer != 0) {
          return answer;
        }
      }
    }
  } catch (...) {
    // Fall through to the platform's box.
  }
  return gPreviousHandler(owner, text, caption, type);
}

// Installed while the library is loaded; the handler it replaced comes back
// when the library goes.
class MessageBoxForwarding {
public:
  MessageBoxForwarding() { gPreviousHandler = SetMessageBoxHandler(&ForwardMessageBox); }
  ~MessageBoxForwarding() {
    // A handler installed after this one stays.
    const MessageBoxHandler current = SetMessageBoxHandler(gPreviousHandler);
    if (current != &ForwardMessageBox) {
      SetMessageBoxHandler(current);
    }
  }
  MessageBoxForwarding(const MessageBoxForwarding&) = delete;
  MessageBoxForwarding& operator=(const MessageBoxForwarding&) = delete;
};

const MessageBoxForwarding gForwarding;

}  // namespace

}  // namespace linvale::host
