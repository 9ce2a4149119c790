// Tasks of a progress meter: steps, the one status change and what the meter
// hears of it.
#include <quorra/task_progress_meter.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Task = Npr::TaskProgressMeter::Task;

class RecordingMeter : public Npr::TaskProgressMeter {
public:
  RecordingMeter() = default;
  ~RecordingMeter() override = default;

  void onStep(const Task* task, unsigned progress) override {
    events.push_back(Name(task) + " step " + std::to_string(progress));
  }
  void onCompleted(const Task* task) override { events.push_back(Name(task) + " completed"); }
  void onAborted(const Task* task) override { events.push_back(Name(task) + " aborted"); }
  bool onCanceled(const Task* task) override {
    events.push_back(Name(task) + " cancel asked");
    return allowCancel;
  }

  std::vector<std::string> events;
  bool allowCancel = true;

private:
  static std::string Name(const Task* task) {
    const std::wstring name = task->name();
    return std::string(name.begin(), name.end());
  }
};

using Events = std::vector<std::string>;

TEST(ProgressTask, StepsCompleteExactlyOnceAtTheTotal) {
  RecordingMeter meter;
  Task* task = meter.start(L"render", 10);
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(task->take(), 1u);  // born with a count of 0
  EXPECT_EQ(task->status(), Task::Running);
  EXPECT_EQ(task->step(4), Task::Running);
  EXPECT_EQ(task->step(7), Task::Completed);
  EXPECT_EQ(task->progress(), 10u);
  EXPECT_EQ(task->step(1), Task::Completed);
  EXPECT_FALSE(task->abort());
  EXPECT_FALSE(task->cancel());
  EXPECT_EQ(meter.events, (Events{"render step 4", "render step 10", "render completed"}));
  // A finished task is deleted without a word.
  EXPECT_EQ(task->release(), 0u);
  EXPECT_EQ(meter.events.size(), 3u);
}

TEST(ProgressTask, AZeroTotalCompletesOnTheFirstStep) {
  RecordingMeter meter;
  Task* task = meter.start(L"t", 0);
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(task->step(0), Task::Completed);
  EXPECT_EQ(meter.events, (Events{"t step 0", "t completed"}));
  delete task;
}

TEST(ProgressTask, AStepThatWouldWrapStillCompletes) {
  RecordingMeter meter;
  Task* task = meter.start(L"t", 100);
  ASSERT_NE(task, nullptr);
  task->step(50);
  EXPECT_EQ(task->step(0xFFFFFFF0u), Task::Completed);
  EXPECT_EQ(task->progress(), 100u);
  delete task;
}

TEST(ProgressTask, ARefusedCancelLeavesItRunningUntilAborted) {
  RecordingMeter meter;
  meter.allowCancel = false;
  Task* task = meter.start(L"t", 5);
  ASSERT_NE(task, nullptr);
  EXPECT_FALSE(task->cancel());
  EXPECT_EQ(task->status(), Task::Running);
  EXPECT_TRUE(task->abort());
  EXPECT_EQ(task->status(), Task::Aborted);
  EXPECT_EQ(meter.events, (Events{"t cancel asked", "t aborted"}));
  delete task;
  EXPECT_EQ(meter.events.size(), 2u);
}

TEST(ProgressTask, AnAcceptedCancelIsFinalAndSilent) {
  RecordingMeter meter;
  Task* task = meter.start(L"t", 5);
  ASSERT_NE(task, nullptr);
  EXPECT_TRUE(task->cancel());
  EXPECT_EQ(task->status(), Task::Canceled);
  EXPECT_EQ(task->step(5), Task::Canceled);
  delete task;
  EXPECT_EQ(meter.events, (Events{"t cancel asked"}));
}

TEST(ProgressTask, DeletingARunningTaskAbortsItOnce) {
  RecordingMeter meter;
  Task* parent = meter.start(L"parent", 3);
  ASSERT_NE(parent, nullptr);
  Task* child = parent->start(L"child", 2);
  ASSERT_NE(child, nullptr);
  child->take();
  EXPECT_EQ(child->release(), 0u);
  delete parent;
  EXPECT_EQ(meter.events, (Events{"child aborted", "parent aborted"}));
}

TEST(ProgressTask, NamesAndLinesAreCutToTheirFields) {
  RecordingMeter meter;
  const std::wstring longName(100, L'n');
  Task* task = meter.start(longName.c_str(), 1);
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(std::wstring(task->name()), std::wstring(63, L'n'));
  task->setLine(L"first pass");
  EXPECT_EQ(std::wstring(task->line()), L"first pass");
  task->setLine(std::wstring(600, L'l').c_str());
  EXPECT_EQ(std::wstring(task->line()).size(), 511u);
  task->step(1);
  delete task;
}

}  // namespace
