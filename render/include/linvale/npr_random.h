// The process-wide random generator the shaders draw their strokes with.
// It lives in Linvale so that every plug-in shares one state, and it is the
// classic linear congruential generator, so a seed gives the same sequence
// on every machine and with every C library.
#pragma once

#include <linvale/export.h>

// Largest value NprRand returns.
inline constexpr int NPR_RAND_MAX = 32767;

// Restarts the sequence from `seed`.
LINVALE_API void NprSrand(unsigned int seed);

// The next value of the sequence, from 0 to NPR_RAND_MAX.
LINVALE_API int NprRand();
