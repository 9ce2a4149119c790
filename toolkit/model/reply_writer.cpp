#include "reply_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tessel_detail {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

}  // namespace

ReplyWriter::ReplyWriter(int descriptor, int readySignal)
    : mDescriptor(descriptor), mReadySignal(readySignal), mBuffer(kBufferBytes) {}

bool ReplyWriter::Write(std::span<const char> bytes) {
  if (mFailed) {
    return false;
  }
  if (mBuffered + bytes.size() <= mBuffer.size()) {
    std::memcpy(mBuffer.data() + mBuffered, bytes.data(), bytes.size());
    mBuffered += bytes.size();
    return true;
  }
  return Flush() && WriteThrough(bytes);
}

bool ReplyWriter::Flush() {
  if (mFailed) {
    return false;
  }
  const std::size_t buffered = mBuffered;
  mBuffered = 0;
  return WriteThrough(std::span<const char>(mBuffer.data(), buffered));
}

void ReplyWriter::CompleteAndWait() {
  constexpr char kReady = 'R';
  if (!Flush() || write(mReadySignal, &kReady, 1) != 1) {
    _exit(kReplyNotSentExit);
  }
  while (true) {
    pause();
  }
}

bool ReplyWriter::WriteThrough(std::span<const char> bytes) {
  while (!bytes.empty()) {
    const ssize_t step = write(mDescriptor, bytes.data(), bytes.size());
    if (step < 0 && errno == EINTR) {
      continue;
    }
    if (step <= 0) {
      mFailed = true;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(step));
  }
  return true;
}

}  // namespace tessel_detail
