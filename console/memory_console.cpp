#include "console/memory_console.h"

#include <algorithm>

namespace con {

MemoryConsole::MemoryConsole(int width, int height, uint16_t attribute)
    : MemoryConsole(width, height,
                    SmallRect{0, 0, static_cast<int16_t>(width - 1), static_cast<int16_t>(height - 1)},
                    attribute) {}

MemoryConsole::MemoryConsole(int width, int height, SmallRect window, uint16_t attribute)
    : width_(width),
      height_(height),
      window_(window),
      attribute_(attribute),
      cells_(static_cast<size_t>(width) * height, Cell{' ', attribute, false}) {}

void MemoryConsole::GetScreenBufferInfo(ScreenBufferInfo& info) {
  info.dwSize = {static_cast<int16_t>(width_), static_cast<int16_t>(height_)};
  info.dwCursorPosition = cursor_;
  info.wAttributes = attribute_;
  info.srWindow = window_;
}

void MemoryConsole::SetCursorPosition(Coord position) {
  if (Inside(position.X, position.Y)) cursor_ = position;
}

template <typename Apply>
void MemoryConsole::FillRun(uint32_t length, Coord start, Apply apply) {
  if (!Inside(start.X, start.Y)) return;
  size_t from = Index(start.X, start.Y);
  size_t to = std::min(cells_.size(), from + length);
  for (size_t i = from; i < to; ++i) {
    apply(cells_[i]);
    cells_[i].Written = true;
  }
}

void MemoryConsole::FillAttribute(uint16_t attribute, uint32_t length, Coord start) {
  FillRun(length, start, [attribute](Cell& cell) { cell.Attributes = attribute; });
}

void MemoryConsole::FillCharacter(uint8_t character, uint32_t length, Coord start) {
  FillRun(length, start, [character](Cell& cell) { cell.Char = character; });
}

void MemoryConsole::WriteCharacter(uint8_t character, Coord at) { FillCharacter(character, 1, at); }

void MemoryConsole::WriteAttribute(uint16_t attribute, Coord at) { FillAttribute(attribute, 1, at); }

void MemoryConsole::Scroll(SmallRect source, SmallRect clip, Coord destination, CharInfo fill) {
  auto in = [](const SmallRect& r, int x, int y) {
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
  };
  scratch_ = cells_;  // reuses its storage: scrolling does not allocate
  int dx = destination.X - source.Left;
  int dy = destination.Y - source.Top;
  // Uncovered first: every source cell inside the clip becomes the fill...
  for (int y = source.Top; y <= source.Bottom; ++y)
    for (int x = source.Left; x <= source.Right; ++x)
      if (Inside(x, y) && in(clip, x, y)) cells_[Index(x, y)] = Cell{fill.Char, fill.Attributes, true};
  // ...then the moved cells land, where they lie inside the clip.
  for (int y = source.Top; y <= source.Bottom; ++y)
    for (int x = source.Left; x <= source.Right; ++x) {
      int tx = x + dx, ty = y + dy;
      if (Inside(x, y) && Inside(tx, ty) && in(clip, tx, ty)) cells_[Index(tx, ty)] = scratch_[Index(x, y)];
    }
}

bool MemoryConsole::ReadInput(InputRecord& record) {
  if (input_.empty()) return false;
  record = input_.front();
  input_.pop_front();
  return true;
}

std::string MemoryConsole::Row(int y) const {
  std::string row;
  for (int x = 0; x < width_; ++x) row.push_back(static_cast<char>(At(x, y).Char));
  return row;
}

}  // namespace con
