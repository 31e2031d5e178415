// Whole ticks of the game, everything but the 60 ms delay, on a console
// that presents to a byte-counting sink at every delay as the terminal does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "bench/frame_scene.h"
#include "console/byte_sink.h"
#include "console/crt.h"
#include "console/presenter.h"
#include "game/player.h"

namespace {

class CountingTerminal : public con::MemoryConsole {
 public:
  CountingTerminal(int width, int height) : MemoryConsole(width, height, 0x07), presenter_(width, height, 0x07) {}
  void Sleep(uint32_t) override {
    if (full_repaint_) presenter_.Forget();
    presenter_.Present(*this, sink_);
  }
  void SetFullRepaint(bool full) { full_repaint_ = full; }
  uint64_t Bytes() const { return sink_.TotalBytes(); }

 private:
  con::Presenter presenter_;
  con::ByteSink sink_;
  bool full_repaint_ = false;
};

// The tick of the main program; the lives are topped up so no run ends.
void Tick() {
  con::Delay(60);
  con::ClrScr();
  con::TextColor(4);
  con::GotoXY(0, 0);
  con::Write(Lives);
  con::TextColor(15);
  Player.OnKeyPress(C);
  Player.Draw(false);
  ProceedEnemies();
  DrawEnemies(false);
  Lives = 10;
}

void Ticks(benchmark::State& state, bool full_repaint, uint8_t key) {
  if (chdir(DATA_DIR) != 0) state.SkipWithError("no data folder");
  CountingTerminal screen(80, 45);
  con::CrtStartUp(screen);
  Player.Frames.Release();
  Enemies.Release();
  Player.AddFrame("player_up.txt");
  Player.X = 40;
  Player.Y = 20;
  CreateEnemies(10, 70, 40);
  C = key;
  Lives = 10;
  screen.SetFullRepaint(full_repaint);
  for (int i = 0; i < 50; ++i) Tick();
  uint64_t sent = screen.Bytes(), changed = 0;
  std::vector<con::Cell> before;
  for (auto _ : state) {
    state.PauseTiming();
    before = screen.Cells();
    state.ResumeTiming();
    Tick();
    state.PauseTiming();
    changed += FloorBytes(before, screen);
    state.ResumeTiming();
  }
  double ticks = static_cast<double>(state.iterations());
  state.counters["bytes_per_tick"] = static_cast<double>(screen.Bytes() - sent) / ticks;
  state.counters["floor_bytes_per_tick"] = static_cast<double>(changed) / ticks;
}

}  // namespace

BENCHMARK_CAPTURE(Ticks, falling, false, 0);
BENCHMARK_CAPTURE(Ticks, falling_full_repaint, true, 0);
BENCHMARK_CAPTURE(Ticks, firing, false, ' ');
BENCHMARK_MAIN();
