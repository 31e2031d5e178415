#include "game/random.h"

#include <time.h>

#include <random>

uint32_t RandSeed = 0;

namespace {
std::mt19937 generator;
bool seeded = false;
uint32_t seeded_with = 0;
}  // namespace

void Randomize() {
  timespec since_boot;
  clock_gettime(CLOCK_BOOTTIME, &since_boot);
  RandSeed = static_cast<uint32_t>(static_cast<uint64_t>(since_boot.tv_sec) * 1000 +
                                   static_cast<uint64_t>(since_boot.tv_nsec) / 1000000);
}

rt::Int32 Random(rt::Int32 N) {
  if (!seeded || seeded_with != RandSeed) {
    generator.seed(RandSeed);
    seeded_with = RandSeed;
    seeded = true;
  }
  uint32_t g = static_cast<uint32_t>(generator());
  return static_cast<int32_t>((static_cast<int64_t>(g) * N.Value()) >> 32);
}
