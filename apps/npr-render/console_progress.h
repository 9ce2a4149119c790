// Shows a render's progress on standard error: a bar with the phase's name
// while it is a terminal, one line per phase otherwise. Also times the
// phases and cancels the render once a stop signal came (see
// stop_signals.h).
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <linvale/npr_renderer.h>

namespace npr_render {

class ConsoleProgress : public NprRenderer::Progress {
public:
  enum class Display { None, Lines, Bar };

  explicit ConsoleProgress(Display display);
  ~ConsoleProgress();
  ConsoleProgress(const ConsoleProgress&) = delete;
  ConsoleProgress& operator=(const ConsoleProgress&) = delete;

  void SetStepCount(int steps) override;
  void Step(int steps, HBITMAP image) override;
  void SetResult(HBITMAP result) override;
  void SetTaskName(const char* name) override;
  bool IsCanceled() override;

  // The phases seen so far with their durations, in order.
  struct Phase {
    std::string name;
    double seconds;
  };
  const std::vector<Phase>& Phases() const { return mPhases; }
  // Ends the current phase; later reports start none.
  void Finish();

  static Display DisplayFor(bool quiet);

private:
  void Redraw();
  void EndPhase();

  Display mDisplay;
  int mTotal = 0;
  int mDone = 0;
  std::string mTask;
  std::chrono::steady_clock::time_point mPhaseStart;
  std::vector<Phase> mPhases;
  bool mBarShown = false;
};

}  // namespace npr_render
