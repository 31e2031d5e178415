// What the terminal is sent per frame, and what presenting it costs.
#include <benchmark/benchmark.h>

#include "bench/frame_scene.h"
#include "console/byte_sink.h"
#include "console/presenter.h"

namespace {

enum class Repaint { Changes, Full };

// The layer on a console of the benchmark's size, with the scene to draw.
struct Stage {
  explicit Stage(const benchmark::State& state)
      : Width(static_cast<int>(state.range(0))),
        Height(static_cast<int>(state.range(1))),
        Screen(Width, Height, 0x07),
        Scene(Width, Height) {
    con::CrtStartUp(Screen);
  }
  int Width, Height;
  con::MemoryConsole Screen;
  FrameScene Scene;
};

void Frames(benchmark::State& state, Repaint repaint) {
  Stage stage(state);
  con::MemoryConsole& screen = stage.Screen;
  FrameScene& scene = stage.Scene;
  con::Presenter presenter(stage.Width, stage.Height, 0x07);
  con::ByteSink sink;
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
  Stage stage(state);
  for (auto _ : state) stage.Scene.Draw();
}

void PresentUnchanged(benchmark::State& state) {
  Stage stage(state);
  con::Presenter presenter(stage.Width, stage.Height, 0x07);
  con::ByteSink sink;
  stage.Scene.Draw();
  presenter.Present(stage.Screen, sink);
  for (auto _ : state) presenter.Present(stage.Screen, sink);
}

}  // namespace

BENCHMARK_CAPTURE(Frames, changes, Repaint::Changes)->Args({80, 25})->Args({200, 60});
BENCHMARK_CAPTURE(Frames, full_repaint, Repaint::Full)->Args({80, 25})->Args({200, 60});
BENCHMARK(DrawOnly)->Args({80, 25})->Args({200, 60});
BENCHMARK(PresentUnchanged)->Args({80, 25})->Args({200, 60});
BENCHMARK_MAIN();
