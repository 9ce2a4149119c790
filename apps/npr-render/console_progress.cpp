#include "console_progress.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include "stop_signals.h"

namespace npr_render {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

// Until the renderer names its first task it loads the plug-ins, reads the
// style and prepares the drawing context.
ConsoleProgress::ConsoleProgress(Display display)
    : mDisplay(display), mTask("Preparing the render"), mPhaseStart(std::chrono::steady_clock::now()) {}

ConsoleProgress::~ConsoleProgress() { Finish(); }

ConsoleProgress::Display ConsoleProgress::DisplayFor(bool quiet) {
  if (quiet) {
    return Display::None;
  }
  return isatty(STDERR_FILENO) ? Display::Bar : Display::Lines;
}

void ConsoleProgress::SetStepCount(int steps) {
  mTotal = std::max(steps, 0);
  mDone = 0;
  Redraw();
}

void ConsoleProgress::Step(int steps, HBITMAP /*image*/) {
  mDone += std::max(steps, 0);
  Redraw();
}

void ConsoleProgress::SetResult(HBITMAP /*result*/) {
  mDone = std::max(mDone, mTotal);
  Redraw();
}

void ConsoleProgress::SetTaskName(const char* name) {
  EndPhase();
  mTask = name != nullptr ? name : "";
  if (mDisplay == Display::Lines) {
    std::fprintf(stderr, "npr-render: %s\n", mTask.c_str());
  }
  Redraw();
}

bool ConsoleProgress::IsCanceled() { return StopSignalReceived() != 0; }

void ConsoleProgress::EndPhase() {
  const auto now = std::chrono::steady_clock::now();
  if (!mTask.empty()) {
    mPhases.push_back({mTask, std::chrono::duration<double>(now - mPhaseStart).count()});
  }
  mPhaseStart = now;
}

void ConsoleProgress::Finish() {
  EndPhase();
  mTask.clear();
  if (mBarShown) {
    std::fputc('\n', stderr);
    mBarShown = false;
  }
}

void ConsoleProgress::Redraw() {
  if (mDisplay != Display::Bar) {
    return;
  }
  const double fraction = mTotal > 0 ? std::min(1.0, static_cast<double>(mDone) / mTotal) : 0.0;
  const int filled = static_cast<int>(fraction * kBarWidth + 0.5);
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '.');
  // Clear to the end of the line: a shorter task name follows a longer one.
  std::fprintf(stderr, "\r[%s] %3d%%  %s\033[K", bar.c_str(), static_cast<int>(fraction * 100.0 + 0.5), mTask.c_str());
  std::fflush(stderr);
  mBarShown = true;
}

}  // namespace npr_render
