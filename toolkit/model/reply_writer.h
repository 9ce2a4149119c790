// The child's end of an isolated reply: bytes appended in order to the
// reply file. Short pieces gather in a buffer, so that a model's many small
// records cost few system calls; long ones (a mesh's arrays) go to the file
// straight from where they lie, without a copy of the whole reply first.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tessel_detail {

// How a child that could not complete its reply ends.
constexpr int kReplyNotSentExit = 122;

class ReplyWriter {
public:
  // `readySignal` is the pipe on which the child says that its reply is complete.
  ReplyWriter(int descriptor, int readySignal);
  ReplyWriter(const ReplyWriter&) = delete;
  ReplyWriter& operator=(const ReplyWriter&) = delete;

  // False once any write has failed; nothing is written after that.
  bool Write(std::span<const char> bytes);
  // Hands the buffered bytes to the file; the reply is complete only after this.
  bool Flush();

  // Completes the reply, says so and keeps the process as it is until the
  // parent, done with it, kills it: memory the reply names by address stays
  // valid as long as the caller's objects are not destroyed, which they
  // never are. Ends the process when the reply cannot be completed.
  [[noreturn]] void CompleteAndWait();

private:
  bool WriteThrough(std::span<const char> bytes);

  int mDescriptor;
  int mReadySignal;
  std::vector<char> mBuffer;
  std::size_t mBuffered = 0;
  bool mFailed = false;
};

}  // namespace tessel_detail
