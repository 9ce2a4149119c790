// Keeps allocation failures inside the toolkit: a mutating operation that
// runs out of memory reports false instead of throwing past the library.
#pragma once

#include <new>
#include <stdexcept>

namespace tessel::detail {

template <class Operation>
bool Guarded(Operation&& operation) {
  try {
    return operation();
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
}

}  // namespace tessel::detail
