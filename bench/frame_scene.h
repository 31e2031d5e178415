// A game-like scene for the console benchmarks: the window is cleared and
// ten 5x3 sprites (150 cells) and a counter are redrawn every frame; three
// sprites fall one row per frame, the others stand still.
#pragma once

#include <cstdint>
#include <vector>

#include "console/crt.h"
#include "console/glyphs.h"
#include "console/memory_console.h"

struct FrameScene {
  struct Sprite {
    int X, Y;
  };
  std::vector<Sprite> Sprites;
  int Width, Height;
  int Frame = 0;

  FrameScene(int width, int height) : Width(width), Height(height) {
    for (int i = 0; i < 10; ++i) Sprites.push_back({3 + i * (width - 8) / 10, 2 + (i * 7) % (height - 5)});
  }

  void Draw() {
    ++Frame;
    for (int i = 0; i < 3; ++i) {
      Sprite& s = Sprites[(Frame + i) % Sprites.size()];
      s.Y = s.Y + 1 > Height - 3 ? 2 : s.Y + 1;
    }
    con::ClrScr();
    con::TextColor(4);
    con::Write(10);
    con::TextColor(15);
    static const char* Rows[3] = {"\\=V=/", " |#| ", "  V  "};
    for (const Sprite& s : Sprites)
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) {
          con::GotoXY(static_cast<uint8_t>(s.X + c), static_cast<uint8_t>(s.Y + r));
          con::Write(Rows[r][c]);
        }
  }
};

// The least a frame can cost: the changed cells' glyphs and one shortest
// cursor move per run of changed cells.
inline uint64_t FloorBytes(const std::vector<con::Cell>& before, const con::MemoryConsole& after) {
  auto digits = [](int n) { return n >= 100 ? 3 : n >= 10 ? 2 : 1; };
  uint64_t bytes = 0;
  int cursor_x = -1, cursor_y = -1;
  for (int y = 0; y < after.Height(); ++y)
    for (int x = 0; x < after.Width(); ++x) {
      const con::Cell& now = after.At(x, y);
      if (now == before[static_cast<size_t>(y) * after.Width() + x]) continue;
      if (!(cursor_y == y && cursor_x == x)) {
        int move = 3 + digits(y + 1) + (x == 0 ? 0 : 1 + digits(x + 1));
        if (cursor_y == y) {
          move = std::min(move, 3 + digits(x + 1));
          if (x > cursor_x) move = std::min(move, x - cursor_x == 1 ? 3 : 3 + digits(x - cursor_x));
        }
        bytes += static_cast<uint64_t>(move);
      }
      bytes += con::GlyphOf(now.Char).Length;
      cursor_x = x + 1;
      cursor_y = y;
    }
  return bytes;
}
