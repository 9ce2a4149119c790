#include "reply_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace tessel::detail {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

}  // namespace

ReplyWriter::ReplyWriter(int descriptor, int signalDescriptor)
    : mDescriptor(descriptor), mSignalDescriptor(signalDescriptor), mBuffer(kBufferBytes) {
  if (mSignalDescriptor >= 0) {
    fcntl(mSignalDescriptor, F_SETFL, fcntl(mSignalDescriptor, F_GETFL) | O_NONBLOCK);
  }
}

void ReplyWriter::ReportProgress(double fraction) {
  if (mSignalDescriptor < 0 || !std::isfinite(fraction)) {
    return;
  }
  const auto step = static_cast<unsigned char>(std::lround(std::clamp(fraction, 0.0, 1.0) * kProgressSteps));
  if (step != mLastProgress && write(mSignalDescriptor, &step, 1) == 1) {
    mLastProgress = step;
  }
}

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
  // Progress reports may be dropped, this byte may not: it waits for room.
  if (!Flush() || mSignalDescriptor < 0 ||
      fcntl(mSignalDescriptor, F_SETFL, fcntl(mSignalDescriptor, F_GETFL) & ~O_NONBLOCK) != 0 ||
      write(mSignalDescriptor, &kReplyComplete, 1) != 1) {
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

}  // namespace tessel::detail
