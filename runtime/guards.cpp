#include "runtime/guards.h"

#include <cstdlib>

#include "runtime/dyn_array.h"
#include "runtime/run_error.h"
#include "runtime/stack_walk.h"

namespace rt {

uint16_t InOutRes = 0;

// Each failure names the guarded statement: the address after its call
// here, in the routine that holds the guard, and that routine's frame.
void RangeError() { RunError(201, __builtin_return_address(0), CallerFrame()); }
void OverflowError() { RunError(215, __builtin_return_address(0), CallerFrame()); }
void HeapError() { RunError(203, __builtin_return_address(0), CallerFrame()); }

void IOCheck() {
  if (__builtin_expect(InOutRes == 0, 1)) return;
  uint16_t result = InOutRes;
  InOutRes = 0;
  RunError(result, __builtin_return_address(0), CallerFrame());
}

void* ResizeBlock(void* block, size_t bytes) { return std::realloc(block, bytes); }
void ReleaseBlock(void* block) { std::free(block); }

}  // namespace rt
