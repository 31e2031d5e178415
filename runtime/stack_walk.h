// Walking the chain of frame pointers from a routine's frame outwards.
//
// Every step is checked before it is taken: the next frame must lie above
// the current one, within reach and below the start-up frame, so a broken
// chain gives a short list rather than a second fault. The start-up frame
// is the frame of the routine that called the main program: the main
// program's frame links to it, and that link counts as missing.
#pragma once

#include <cstddef>

namespace rt {

// Set by the start-up code before any unit starts.
extern void* StartupFrame;

// The caller's frame of the routine that runs this, in a frame-pointer build.
[[gnu::always_inline]] inline void* CallerFrame() {
  return *static_cast<void**>(__builtin_frame_address(0));
}

enum class WalkEnd {
  AtMainProgram,    // stop at the main program: its frame has no caller link
  IntoStartupCode,  // also list the return address out of the main program
};

// Fills at most max return addresses, innermost first; returns the count.
size_t WalkCallers(void* frame, void** addresses, size_t max, WalkEnd end);

}  // namespace rt
