// No exception leaves the facade: entry points run their work through these
// and answer with their interface's failure value when memory runs out.
#pragma once

#include <exception>

namespace quorra {

template <class Result, class Work>
Result OrOnFailure(Result failure, Work work) noexcept {
  try {
    return work();
  } catch (...) {
    return failure;
  }
}

// For notifications, which have no failure value: the notification is lost.
template <class Work>
void OrDropped(Work work) noexcept {
  try {
    work();
  } catch (...) {
  }
}

}  // namespace quorra
