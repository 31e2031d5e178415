// A checked 16-bit store and a checked index beside plain ones.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "runtime/checked_int.h"
#include "runtime/dyn_array.h"

namespace {

constexpr int Count = 4096;

// A scattered order keeps both loops scalar, as the game's stores are.
std::vector<int32_t> Scattered() {
  std::vector<int32_t> order(Count);
  for (int i = 0; i < Count; ++i) order[i] = (i * 7919) % Count;
  return order;
}

void PlainStore(benchmark::State& state) {
  std::vector<int16_t> values(Count);
  std::vector<int32_t> order = Scattered();
  for (auto _ : state) {
    for (int32_t i : order) values[i] = static_cast<int16_t>(values[i] + 1 - (values[i] > 30000 ? 30000 : 0));
    benchmark::DoNotOptimize(values.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Count);
}

void CheckedStore(benchmark::State& state) {
  std::vector<rt::Int16> values(Count);
  std::vector<int32_t> order = Scattered();
  for (auto _ : state) {
    for (int32_t i : order) values[i] = values[i] + 1 - (values[i] > 30000 ? 30000 : 0);
    benchmark::DoNotOptimize(values.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Count);
}

void PlainIndex(benchmark::State& state) {
  std::vector<int16_t> values(Count, 1);
  std::vector<int32_t> order = Scattered();
  for (auto _ : state) {
    int32_t sum = 0;
    for (int32_t i : order) sum += values[i];
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * Count);
}

void CheckedIndex(benchmark::State& state) {
  rt::DynArray<rt::Int16> values;
  values.SetLength(Count);
  std::vector<int32_t> order = Scattered();
  for (auto _ : state) {
    int32_t sum = 0;
    for (int32_t i : order) sum += values[i].Value();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * Count);
}

}  // namespace

BENCHMARK(PlainStore);
BENCHMARK(CheckedStore);
BENCHMARK(PlainIndex);
BENCHMARK(CheckedIndex);
BENCHMARK_MAIN();
