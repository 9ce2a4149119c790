// The child's end of an isolated reply: bytes appended in order to the
// reply file. Short pieces gather in a buffer, so that a model's many small
// records cost few system calls; long ones (a mesh's arrays) go to the file
// straight from where they lie, without a copy of the whole reply first.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tessel_detail {

class ReplyWriter {
public:
  explicit ReplyWriter(int descriptor);
  ReplyWriter(const ReplyWriter&) = delete;
  ReplyWriter& operator=(const ReplyWriter&) = delete;

  // False once any write has failed; nothing is written after that.
  bool Write(std::span<const char> bytes);
  // Hands the buffered bytes to the file; the reply is complete only after this.
  bool Flush();

private:
  bool WriteThrough(std::span<const char> bytes);

  int mDescriptor;
  std::vector<char> mBuffer;
  std::size_t mBuffered = 0;
  bool mFailed = false;
};

}  // namespace tessel_detail
