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

namespace tessel_detail {

// A progress report is one byte: the fraction done in this many steps.
inline constexpr double kProgressSteps = 250.0;

class ReplyWriter {
public:
  // `progressDescriptor` may be -1 for a reply without progress reports.
  explicit ReplyWriter(int descriptor, int progressDescriptor = -1);
  ReplyWriter(const ReplyWriter&) = delete;
  ReplyWriter& operator=(const ReplyWriter&) = delete;

  // False once any write has failed; nothing is written after that.
  bool Write(std::span<const char> bytes);
  // Hands the buffered bytes to the file; the reply is complete only after this.
  bool Flush();
  // Tells the parent the fraction of the work done (0 to 1). Never blocks:
  // a report the pipe cannot take now is dropped.
  void ReportProgress(double fraction);

private:
  bool WriteThrough(std::span<const char> bytes);

  int mDescriptor;
  int mProgressDescriptor;
  unsigned char mLastProgress = 0;
  std::vector<char> mBuffer;
  std::size_t mBuffered = 0;
  bool mFailed = false;
};

}  // namespace tessel_detail
