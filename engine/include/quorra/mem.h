// The library's private heap. Every object that crosses the facade lives in
// it, so a host built with another runtime never frees what Quorra made.
#pragma once

#include <quorra/export.h>

namespace Npr::mem {

// A new block of `bytes`, or null.
QUORRA_API void* alloc(unsigned bytes);
// Gives a live block back; false (and nothing done) for any other pointer.
QUORRA_API bool free(void* block);
// Resizes `block` in place or moves it; on success `block` holds the new
// address. On failure `block` is untouched and still live.
QUORRA_API bool realloc(void*& block, unsigned bytes);
// Whether `block` is the start of a live block of this heap. Answered from
// the heap's record of its blocks, never by reading `block`, so any pointer
// may be asked about: null, stack, static, freed or foreign.
QUORRA_API bool isValid(const void* block);

}  // namespace Npr::mem
