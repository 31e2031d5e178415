// What the terminal is sent per frame, and what presenting it costs.
#include <benchmark/benchmark.h>

#include "bench/frame_scene.h"
#include "console/byte_sink.h"
#include "console/presenter.h"

namespace {

enum class Repaint { Changes, Full };

void Frames(benchmark::State& state, Repaint repaint) {
  int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  con::MemoryConsole screen(width, height, 0x07);
  con::CrtStartUp(screen);
  con::Presenter presenter(width, height, 0x07);
  con::ByteSink sink;
  FrameScene scene(width, height);
  for (int i = 0; i < 5; ++i) {  // settle: the first frame paints everything
    scene.Draw();
    presenter.Present(screen, sink);
  }
  uint64_t sent = sink.TotalBytes(), floor = 0, frames = 0;
  std::vector<con::Cell> before;
  for (auto _ : state) {
    state.PauseTiming();
    before = screen.Cells();
    state.ResumeTiming();
    scene.Draw();
    if (repaint == Repaint::Full) presenter.Forget();
    presenter.Present(screen, sink);
    state.PauseTiming();
    floor += FloorBytes(before, screen);
    ++frames;
    state.ResumeTiming();
  }
  double per_frame = static_cast<double>(sink.TotalBytes() - sent) / static_cast<double>(frames);
  state.counters["bytes_per_frame"] = per_frame;
  state.counters["floor_bytes_per_frame"] = static_cast<double>(floor) / static_cast<double>(frames);
  state.counters["ratio_to_floor"] = per_frame / (static_cast<double>(floor) / static_cast<double>(frames));
}

// Drawing alone, so the present's share of a frame can be read off.
void DrawOnly(benchmark::State& state) {
  int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  con::MemoryConsole screen(width, height, 0x07);
  con::CrtStartUp(screen);
  FrameScene scene(width, height);
  for (auto _ : state) scene.Draw();
}

void PresentUnchanged(benchmark::State& state) {
  int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  con::MemoryConsole screen(width, height, 0x07);
  con::CrtStartUp(screen);
  con::Presenter presenter(width, height, 0x07);
  con::ByteSink sink;
  FrameScene scene(width, height);
  scene.Draw();
  presenter.Present(screen, sink);
  for (auto _ : state) presenter.Present(screen, sink);
}

}  // namespace

BENCHMARK_CAPTURE(Frames, changes, Repaint::Changes)->Args({80, 25})->Args({200, 60});
BENCHMARK_CAPTURE(Frames, full_repaint, Repaint::Full)->Args({80, 25})->Args({200, 60});
BENCHMARK(DrawOnly)->Args({80, 25})->Args({200, 60});
BENCHMARK(PresentUnchanged)->Args({80, 25})->Args({200, 60});
BENCHMARK_MAIN();
