#include <quorra/debugger.h>

#include "no_exception.h"
#include "wide_text.h"

#include <windows.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <string>

namespace Npr::debugger {

namespace {

constexpr std::size_t kLineCapacity = 2048;

const wchar_t* OrEmpty(const wchar_t* text) { return text != nullptr ? text : L""; }

bool DebuggerAttached() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("TracerPid:", 0) == 0) {
      return std::atoi(line.c_str() + 10) != 0;
    }
  }
  return false;
}

// Without a debugger to catch it the trap would end the process, which is
// Abort's job, not Retry's.
void BreakIntoDebugger() {
  if (DebuggerAttached()) {
    std::raise(SIGTRAP);
  }
}

int ShowAssertion(const wchar_t* file, unsigned line, const wchar_t* module, const wchar_t* text) {
  wchar_t box[kLineCapacity];
  std::swprintf(box, kLineCapacity, L"Module: %ls\nFile: %ls\nLine: %u\n\nAssertion: %ls", OrEmpty(module),
                OrEmpty(file), line, OrEmpty(text));
  box[kLineCapacity - 1] = L'\0';
  const int answer = quorra::OrOnFailure(IDABORT, [&] {
    const std::string utf8 = quorra::ToUtf8(box);
    return MessageBoxA(nullptr, utf8.c_str(), "Debug Assertion failed", MB_ABORTRETRYIGNORE | MB_ICONERROR);
  });
  switch (answer) {
    case IDRETRY: BreakIntoDebugger(); return 1;
    case IDIGNORE: return 0;
    default: std::_Exit(1);
  }
}

}  // namespace

void outputDebugString(const wchar_t* text) {
  const char* wanted = std::getenv("QUORRA_DEBUG_OUTPUT");
  if (wanted == nullptr || *wanted == '\0') {
    return;
  }
  quorra::OrDropped([&] {
    const std::string utf8 = quorra::ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
  });
}

int log(warningEvent kind, const wchar_t* file, unsigned line, const wchar_t* module, const wchar_t* text) {
  if (kind == Assertion) {
    return ShowAssertion(file, line, module, text);
  }
  if (kind != Message && kind != Warning) {
    return -1;
  }
  wchar_t formatted[kLineCapacity];
  const wchar_t* format = kind == Warning ? L"%ls(%u) %ls WARNING: %ls\r\n" : L"%ls(%u) %ls: %ls\r\n";
  std::swprintf(formatted, kLineCapacity, format, OrEmpty(file), line, OrEmpty(module), OrEmpty(text));
  // A line too long for the buffer is sent cut short.
  formatted[kLineCapacity - 1] = L'\0';
  outputDebugString(formatted);
  return 0;
}

}  // namespace Npr::debugger
