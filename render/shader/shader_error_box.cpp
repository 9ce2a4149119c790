// The one message a shader shows when a render cannot even start: the
// system's own words for what went wrong, over the host's main window.
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_shader_support.h>

#include <array>
#include <cstdio>

namespace {

HWND MainWindowOfDefaultHost() {
  NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost();
  return host != nullptr ? host->GetMainWindow() : nullptr;
}

}  // namespace

void NprShowErrorBox(const char* text, const char* caption) {
  MessageBoxA(MainWindowOfDefaultHost(), text, caption, MB_ICONERROR);
}

void NprShowLastErrorBox(const char* caption) {
  const DWORD error = GetLastError();
  if (error == 0) {
    return;
  }
  std::array<char, 512> text{};
  if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                     MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text.data(), static_cast<DWORD>(text.size()),
                     nullptr) == 0) {
    // A code the system has no words for is still worth telling.
    std::snprintf(text.data(), text.size(), "System error %lu.", static_cast<unsigned long>(error));
  }
  NprShowErrorBox(text.data(), caption);
}
