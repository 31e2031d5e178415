#include "runtime/stack_walk.h"

#include <cstdint>

namespace rt {

void* StartupFrame = nullptr;

namespace {

constexpr uintptr_t MaxFrameSize = 8u << 20;
constexpr uintptr_t MaxStackDepth = 256u << 20;

bool PlausibleFrame(uintptr_t frame) {
  uintptr_t top = reinterpret_cast<uintptr_t>(StartupFrame);
  return frame != 0 && frame % sizeof(void*) == 0 && frame <= top && top - frame < MaxStackDepth;
}

}  // namespace

size_t WalkCallers(void* frame, void** addresses, size_t max, WalkEnd end) {
  size_t count = 0;
  uintptr_t top = reinterpret_cast<uintptr_t>(StartupFrame);
  uintptr_t current = reinterpret_cast<uintptr_t>(frame);
  if (top == 0) return 0;
  while (count < max && PlausibleFrame(current) && current != top) {
    auto* slots = reinterpret_cast<void**>(current);
    uintptr_t link = reinterpret_cast<uintptr_t>(slots[0]);
    void* return_address = slots[1];
    if (return_address == nullptr) break;
    if (link == top) {
      if (end == WalkEnd::IntoStartupCode) addresses[count++] = return_address;
      break;
    }
    if (link <= current || link - current > MaxFrameSize || !PlausibleFrame(link)) break;
    addresses[count++] = return_address;
    current = link;
  }
  return count;
}

}  // namespace rt
