#include <win32/message_box.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <string>

namespace {

// Buttons of each box type, left to right, as MB_DEFBUTTONn counts them.
std::array<int, 3> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL, IDCANCEL};
    default: return {IDOK, IDOK, IDOK};
  }
}

int DefaultButton(UINT type) {
  const UINT index = (type & MB_DEFMASK) >> 8;
  return ButtonsOf(type)[index < 3 ? index : 0];
}

// A box has no window here, so its text becomes a single log line.
std::string OneLine(LPCSTR text) {
  std::string line = text != nullptr ? text : "";
  for (char& c : line) {
    if (c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  return line;
}

int WriteToStandardError(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  const std::string title = caption != nullptr ? OneLine(caption) : "Error";
  std::fprintf(stderr, "%s: %s\n", title.c_str(), OneLine(text).c_str());
  std::fflush(stderr);
  return DefaultButton(type);
}

std::atomic<MessageBoxHandler> currentHandler{&WriteToStandardError};

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  const MessageBoxHandler previous = currentHandler.exchange(handler != nullptr ? handler : &WriteToStandardError);
  return previous;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  try {
    return currentHandler.load()(owner, text, caption, type);
  } catch (...) {
    return 0;
  }
}
