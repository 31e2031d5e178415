#include "console/presenter.h"

#include <algorithm>

#include "console/glyphs.h"

namespace con {

namespace {

// The console's colour bits are blue 1, green 2, red 4; ANSI's are the
// other way round.
int Ansi(int color) { return ((color & 1) << 2) | (color & 2) | ((color & 4) >> 2); }

struct PenCodes {
  int Foreground, Background;
};

PenCodes CodesOf(uint16_t attribute, uint16_t own) {
  int fg = attribute & 15, bg = (attribute >> 4) & 15;
  return PenCodes{fg == (own & 15) ? 39 : ((fg & 8) ? 90 : 30) + Ansi(fg & 7),
                  bg == ((own >> 4) & 15) ? 49 : ((bg & 8) ? 100 : 40) + Ansi(bg & 7)};
}

unsigned Digits(unsigned n) { return n >= 100 ? 3 : n >= 10 ? 2 : 1; }

}  // namespace

Presenter::Presenter(int width, int height, uint16_t own_attribute)
    : width_(width),
      height_(height),
      visible_width_(width),
      visible_height_(height),
      own_attribute_(own_attribute),
      front_(static_cast<size_t>(width) * height) {}

void Presenter::SetCursorKnown(int x, int y) {
  cursor_known_ = true;
  cursor_x_ = x;
  cursor_y_ = y;
}

void Presenter::SetTerminalSize(int width, int height) {
  visible_width_ = width;
  visible_height_ = height;
}

void Presenter::Forget() {
  for (FrontCell& cell : front_) cell.Known = false;
  cursor_known_ = false;
  pen_ = NoPen;
  clear_first_ = true;
}

void Presenter::SetPen(uint16_t attribute, ByteSink& out) {
  if (pen_ == attribute) return;
  PenCodes want = CodesOf(attribute, own_attribute_);
  bool fresh = pen_ == NoPen;
  PenCodes have = fresh ? PenCodes{0, 0} : CodesOf(pen_, own_attribute_);
  pen_ = attribute;
  bool fg = fresh || have.Foreground != want.Foreground;
  bool bg = fresh || have.Background != want.Background;
  if (!fg && !bg) return;
  out.Append("\x1b[");
  if (fg) out.AppendNumber(static_cast<unsigned>(want.Foreground));
  if (fg && bg) out.Append(';');
  if (bg) out.AppendNumber(static_cast<unsigned>(want.Background));
  out.Append('m');
}

void Presenter::MoveTo(const MemoryConsole& screen, int x, int y, ByteSink& out) {
  if (cursor_known_ && cursor_x_ == x && cursor_y_ == y) return;
  // Absolute: CSI row ; col H, or CSI row H for the first column.
  unsigned best = 3 + Digits(y + 1) + (x == 0 ? 0 : 1 + Digits(x + 1));
  enum class Move { Absolute, Return, Column, Forward, Rewrite, Up, Down } move = Move::Absolute;
  auto consider = [&best, &move](unsigned cost, Move m) {
    if (cost < best) {
      best = cost;
      move = m;
    }
  };
  if (cursor_known_ && cursor_y_ == y) {
    if (x == 0) consider(1, Move::Return);
    consider(3 + Digits(x + 1), Move::Column);
    if (x > cursor_x_) {
      consider(x - cursor_x_ == 1 ? 3 : 3 + Digits(x - cursor_x_), Move::Forward);
      // Sending the unchanged cells between again may be shorter still.
      unsigned cost = 0;
      bool same = pen_ != NoPen;
      for (int i = cursor_x_; same && i < x; ++i) {
        const FrontCell& f = front_[static_cast<size_t>(y) * width_ + i];
        const Cell& b = screen.At(i, y);
        same = f.Known && b.Written && f.Char == b.Char && f.Attributes == b.Attributes && f.Attributes == pen_;
        cost += GlyphOf(f.Char).Length;
      }
      if (same) consider(cost, Move::Rewrite);
    }
  }
  if (cursor_known_ && cursor_x_ == x) {
    unsigned rows = static_cast<unsigned>(y > cursor_y_ ? y - cursor_y_ : cursor_y_ - y);
    consider(rows == 1 ? 3 : 3 + Digits(rows), y > cursor_y_ ? Move::Down : Move::Up);
  }
  auto relative = [&out](unsigned n, char final) {
    out.Append("\x1b[");
    if (n != 1) out.AppendNumber(n);
    out.Append(final);
  };
  switch (move) {
    case Move::Absolute:
      out.Append("\x1b[");
      out.AppendNumber(static_cast<unsigned>(y + 1));
      if (x != 0) {
        out.Append(';');
        out.AppendNumber(static_cast<unsigned>(x + 1));
      }
      out.Append('H');
      break;
    case Move::Return: out.Append('\r'); break;
    case Move::Column:
      out.Append("\x1b[");
      out.AppendNumber(static_cast<unsigned>(x + 1));
      out.Append('G');
      break;
    case Move::Forward: relative(static_cast<unsigned>(x - cursor_x_), 'C'); break;
    case Move::Rewrite:
      for (int i = cursor_x_; i < x; ++i) out.Append(GlyphOf(front_[static_cast<size_t>(y) * width_ + i].Char).View());
      break;
    case Move::Up: relative(static_cast<unsigned>(cursor_y_ - y), 'A'); break;
    case Move::Down: relative(static_cast<unsigned>(y - cursor_y_), 'B'); break;
  }
  cursor_known_ = true;
  cursor_x_ = x;
  cursor_y_ = y;
}

void Presenter::Present(const MemoryConsole& screen, ByteSink& out) {
  bool begun = false;
  auto begin = [&] {
    if (begun) return;
    begun = true;
    if (sync_) out.Append("\x1b[?2026h");
    if (clear_first_) {
      out.Append("\x1b[0m\x1b[H\x1b[2J");
      clear_first_ = false;
      pen_ = NoPen;
      cursor_known_ = true;
      cursor_x_ = cursor_y_ = 0;
    }
  };
  if (clear_first_) begin();
  int columns = std::min(width_, visible_width_);
  int rows = std::min(height_, visible_height_);
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      const Cell& cell = screen.At(x, y);
      if (!cell.Written) continue;
      FrontCell& shown = front_[static_cast<size_t>(y) * width_ + x];
      if (shown.Known && shown.Char == cell.Char && shown.Attributes == cell.Attributes) continue;
      begin();
      MoveTo(screen, x, y, out);
      SetPen(cell.Attributes, out);
      out.Append(GlyphOf(cell.Char).View());
      shown = FrontCell{cell.Char, cell.Attributes, true};
      // The last column leaves the cursor waiting to wrap: its place is moot.
      if (++cursor_x_ >= visible_width_) cursor_known_ = false;
    }
  }
  Coord cursor = screen.Cursor();
  if (cursor.X < columns && cursor.Y < rows &&
      (!cursor_known_ || cursor_x_ != cursor.X || cursor_y_ != cursor.Y)) {
    begin();
    MoveTo(screen, cursor.X, cursor.Y, out);
  }
  if (begun && sync_) out.Append("\x1b[?2026l");
  out.Flush();
}

}  // namespace con
