#include <linvale/npr_random.h>

#include <cstdint>

namespace {

// One state for the whole process: renders run one at a time, on one thread.
std::uint32_t gRandomState = 1;

}  // namespace

void NprSrand(unsigned int seed) { gRandomState = seed; }

int NprRand() {
  gRandomState = gRandomState * 214013U + 2531011U;
  return static_cast<int>((gRandomState >> 16) & 0x7FFFU);
}
