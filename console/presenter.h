// Puts the in-memory console on a terminal, sending only what differs.
//
// The presenter remembers what the terminal shows (the front buffer) and,
// on each Present, sends the cells of the console (the back buffer) that
// differ from it: a colour change only where the attribute changes, and the
// cheapest cursor move to each run of changed cells. Cells nothing ever
// wrote are never sent. Where the terminal supports synchronized updates a
// frame is wrapped in them, so it never shows half drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "console/byte_sink.h"
#include "console/memory_console.h"

namespace con {

class Presenter {
 public:
  // `own_attribute` is the console attribute shown in the terminal's
  // default colours; a cell's foreground or background that equals its
  // part is sent as the default.
  Presenter(int width, int height, uint16_t own_attribute);

  void SetSynchronizedUpdate(bool supported) { sync_ = supported; }
  void SetCursorKnown(int x, int y);
  // The terminal's rows and columns now (after a resize): nothing is sent
  // beyond them.
  void SetTerminalSize(int width, int height);
  // The terminal lost what it showed: clear it and repaint every written
  // cell at the next Present.
  void Forget();

  void Present(const MemoryConsole& screen, ByteSink& out);

 private:
  struct FrontCell {
    uint8_t Char = 0;
    uint16_t Attributes = 0;
    bool Known = false;
  };
  static constexpr uint16_t NoPen = 0xFFFF;

  void MoveTo(const MemoryConsole& screen, int x, int y, ByteSink& out);
  void SetPen(uint16_t attribute, ByteSink& out);

  int width_, height_;                  // the console's
  int visible_width_, visible_height_;  // the terminal's
  uint16_t own_attribute_;
  bool sync_ = false;
  bool clear_first_ = false;
  std::vector<FrontCell> front_;
  // The terminal's cursor and colours, when known.
  bool cursor_known_ = false;
  int cursor_x_ = 0, cursor_y_ = 0;
  uint16_t pen_ = NoPen;
};

}  // namespace con
