#include <quorra/task_progress_meter.h>

#include <cwchar>

namespace Npr {

namespace {

// Cuts text that does not fit; a null text leaves the field empty.
template <unsigned Capacity>
void CopyField(wchar_t (&field)[Capacity], const wchar_t* text) {
  field[0] = L'\0';
  if (text != nullptr) {
    std::wcsncpy(field, text, Capacity - 1);
    field[Capacity - 1] = L'\0';
  }
}

}  // namespace

using Task = TaskProgressMeter::Task;

Task::Task(TaskProgressMeter* meter, const wchar_t* name, unsigned total)
    : mMeter(meter), mName{}, mStatus(Running), mProgress(0), mTotal(total), mLine{} {
  CopyField(mName, name);
}

Task::~Task() { abort(); }

Task* Task::start(const wchar_t* name, unsigned total) { return new (inPrivateHeap) Task(mMeter, name, total); }

Task::Status Task::step(unsigned steps) {
  if (mStatus != Running) {
    return mStatus;
  }
  // Counted in 64 bits so that a huge step cannot wrap below the total.
  const std::uint64_t reached = std::uint64_t{mProgress} + steps;
  if (reached < mTotal) {
    mProgress = static_cast<std::uint32_t>(reached);
    mMeter->onStep(this, mProgress);
    return Running;
  }
  mProgress = mTotal;
  mStatus = Completed;
  mMeter->onStep(this, mTotal);
  mMeter->onCompleted(this);
  return Completed;
}

bool Task::abort() {
  if (mStatus != Running) {
    return false;
  }
  mStatus = Aborted;
  mMeter->onAborted(this);
  return true;
}

bool Task::cancel() {
  if (mStatus != Running || !mMeter->onCanceled(this)) {
    return false;
  }
  mStatus = Canceled;
  return true;
}

void Task::setLine(const wchar_t* text) { CopyField(mLine, text); }

Task* TaskProgressMeter::start(const wchar_t* name, unsigned total) {
  return new (inPrivateHeap) Task(this, name, total);
}

void TaskProgressMeter::onStep(const Task*, unsigned) {}

void TaskProgressMeter::onCompleted(const Task*) {}

void TaskProgressMeter::onAborted(const Task*) {}

bool TaskProgressMeter::onCanceled(const Task*) { return true; }

}  // namespace Npr
