// Owns one file descriptor and closes it when it goes.
#pragma once

#include <unistd.h>

#include <utility>

namespace tessel::detail {

class UniqueFd {
public:
  UniqueFd() = default;
  explicit UniqueFd(int descriptor) : mDescriptor(descriptor) {}
  UniqueFd(UniqueFd&& other) noexcept : mDescriptor(std::exchange(other.mDescriptor, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    std::swap(mDescriptor, other.mDescriptor);
    return *this;
  }
  ~UniqueFd() { Reset(); }

  int Get() const { return mDescriptor; }
  bool IsOpen() const { return mDescriptor >= 0; }
  void Reset() {
    if (mDescriptor >= 0) {
      close(mDescriptor);
      mDescriptor = -1;
    }
  }

private:
  int mDescriptor = -1;
};

}  // namespace tessel::detail
