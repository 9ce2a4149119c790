// The child's end of an isolated reply: bytes appended in order to the
// reply file. Short pieces gather in a buffer, so that a model's many small
// records cost few system calls; long ones (a mesh's arrays) go to the file
// straight from where they lie, without a copy of the whole reply first.
// Progress goes another way, as single bytes into a pipe the parent watches
// anyway, so that it shows while the reply is still being made.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tessel::detail {

// How a child that could not complete its reply ends.
constexpr int kReplyNotSentExit = 122;
// A progress report is one byte: the fraction done in this many steps.
inline constexpr double kProgressSteps = 250.0;
// The byte that says the reply is complete, beyond every progress report.
inline constexpr unsigned char kReplyComplete = 255;

class ReplyWriter {
public:
  // `signalDescriptor` is the pipe on which the child reports its progress
  // and says that its reply is complete; -1 for neither.
  explicit ReplyWriter(int descriptor, int signalDescriptor = -1);
  ReplyWriter(const ReplyWriter&) = delete;
  ReplyWriter& operator=(const ReplyWriter&) = delete;

  // False once any write has failed; nothing is written after that.
  bool Write(std::span<const char> bytes);
  // Hands the buffered bytes to the file; the reply is complete only after this.
  bool Flush();
  // Tells the parent the fraction of the work done (0 to 1). Never blocks:
  // a report the pipe cannot take now is dropped.
  void ReportProgress(double fraction);

  // Completes the reply, says so and keeps the process as it is until the
  // parent, done with it, kills it: memory the reply names by address stays
  // valid as long as the caller's objects are not destroyed, which they
  // never are. Ends the process when the reply cannot be completed.
  [[noreturn]] void CompleteAndWait();

private:
  bool WriteThrough(std::span<const char> bytes);

  int mDescriptor;
  int mSignalDescriptor;
  unsigned char mLastProgress = 0;
  std::vector<char> mBuffer;
  std::size_t mBuffered = 0;
  bool mFailed = false;
};

}  // namespace tessel::detail
