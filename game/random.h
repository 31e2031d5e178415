// The run-time's random numbers: MT19937 seeded from RandSeed.
#pragma once

#include <cstdint>

#include "runtime/checked_int.h"

// The seed; the generator is seeded anew at the next draw after it changes.
extern uint32_t RandSeed;

// RandSeed := milliseconds since the system started.
void Randomize();
// The upper 32 bits of g * N for the next output g: 0 to N - 1 for N > 0.
rt::Int32 Random(rt::Int32 N);
