// Progress as a host shows it: named tasks count steps toward a total and
// end exactly once, completed, aborted or cancelled; the meter hears about
// every change.
#pragma once

#include <quorra/export.h>
#include <quorra/object.h>

#include <cstdint>

namespace Npr {

class QUORRA_API TaskProgressMeter : public Object {
public:
  class QUORRA_API Task : public Object {
  public:
    enum Status : std::int32_t {
      Running = 0,
      Completed = 1,
      Canceled = -1,
      Aborted = -2,
    };
    static constexpr unsigned nameCapacity = 64;
    static constexpr unsigned lineCapacity = 512;

    // A task still running is aborted first, which the meter hears.
    ~Task() override;
    Task(const Task&) = default;
    Task& operator=(const Task&) = default;

    // A new task of the same meter, with a count of 0; null when the heap
    // has no room.
    virtual Task* start(const wchar_t* name, unsigned total);

    Status step(unsigned steps);
    bool abort();
    bool cancel();

    Status status() const { return mStatus; }
    const wchar_t* name() const { return mName; }
    unsigned progress() const { return mProgress; }
    unsigned total() const { return mTotal; }
    const wchar_t* line() const { return mLine; }
    // Text beyond the field's capacity is cut.
    void setLine(const wchar_t* text);

  protected:
    friend class TaskProgressMeter;
    Task(TaskProgressMeter* meter, const wchar_t* name, unsigned total);

  private:
    TaskProgressMeter* mMeter;
    wchar_t mName[nameCapacity];
    Status mStatus;
    std::uint32_t mProgress;
    std::uint32_t mTotal;
    wchar_t mLine[lineCapacity];
  };

  // A new running task of this meter with a count of 0 (take it to own it);
  // null when the heap has no room.
  virtual Task* start(const wchar_t* name, unsigned total);
  virtual void onStep(const Task* task, unsigned progress);
  virtual void onCompleted(const Task* task);
  virtual void onAborted(const Task* task);
  // Whether the meter lets the task be cancelled.
  virtual bool onCanceled(const Task* task);

protected:
  TaskProgressMeter() = default;
  ~TaskProgressMeter() override = default;
};

}  // namespace Npr
