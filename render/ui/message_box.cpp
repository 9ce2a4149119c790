#include "message_box.h"

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_ui_window.h>

#include <win32/message_box.h>

#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace linvale::ui {

namespace {

using ButtonAnswer = std::pair<QMessageBox::StandardButton, int>;

std::vector<ButtonAnswer> ButtonsFor(unsigned type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
      return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
  }
}

QMessageBox::Icon IconFor(unsigned type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QWidget* OwnerWidget(HWND owner) {
  if (QWidget* widget = NprWidgetFromHandle(owner); widget != nullptr) {
    return widget;
  }
  NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost();
  return host != nullptr ? NprWidgetFromHandle(host->GetMainWindow()) : nullptr;
}

}  // namespace

int ShowMessageBox(HWND owner, const char* text, const char* caption, unsigned type) {
  QMessageBox box(OwnerWidget(owner));
  box.setObjectName("messageBox");
  box.setWindowTitle(QString::fromUtf8(caption != nullptr ? caption : "Error"));
  box.setText(QString::fromUtf8(text != nullptr ? text : ""));
  box.setIcon(IconFor(type));
  const std::vector<ButtonAnswer> buttons = ButtonsFor(type);
  for (const auto& [button, answer] : buttons) {
    box.addButton(button);
  }
  const std::size_t defaultIndex = (type & MB_DEFMASK) >> 8;
  if (defaultIndex < buttons.size()) {
    box.setDefaultButton(buttons[defaultIndex].first);
  }
  const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
  for (const auto& [button, answer] : buttons) {
    if (button == pressed) {
      return answer;
    }
  }
  // Closed without a button: what Escape means for this set of buttons.
  return buttons.size() == 1 ? IDOK : IDCANCEL;
}

}  // namespace linvale::ui
