// A console held in memory: the cells, the cursor and the input queue.
//
// It is the truth behind the terminal console, and on its own it lets tests
// drive the console layer and read back every cell. Sleeping only counts
// the time asked for.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "console/console_device.h"

namespace con {

struct Cell {
  uint8_t Char = ' ';
  uint16_t Attributes = 0;
  bool Written = false;  // never drawn to a terminal until something wrote it

  friend bool operator==(const Cell&, const Cell&) = default;
};

class MemoryConsole : public ConsoleDevice {
 public:
  // A buffer of width x height cells whose visible window is all of it.
  MemoryConsole(int width, int height, uint16_t attribute = 0x07);
  // A larger buffer with a window on part of it.
  MemoryConsole(int width, int height, SmallRect window, uint16_t attribute);

  void GetScreenBufferInfo(ScreenBufferInfo& info) override;
  void SetCursorPosition(Coord position) override;
  void FillAttribute(uint16_t attribute, uint32_t length, Coord start) override;
  void FillCharacter(uint8_t character, uint32_t length, Coord start) override;
  void WriteCharacter(uint8_t character, Coord at) override;
  void WriteAttribute(uint16_t attribute, Coord at) override;
  void Scroll(SmallRect source, SmallRect clip, Coord destination, CharInfo fill) override;
  uint32_t GetOutputCP() override { return output_code_page_; }
  void SetOutputCP(uint32_t code_page) override { output_code_page_ = code_page; }
  uint32_t GetACP() override { return 1252; }
  uint32_t GetNumberOfInputEvents() override { return static_cast<uint32_t>(input_.size()); }
  bool ReadInput(InputRecord& record) override;
  void Sleep(uint32_t milliseconds) override { slept_ += milliseconds; }

  void QueueInput(const InputRecord& record) { input_.push_back(record); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  Coord Cursor() const { return cursor_; }
  const Cell& At(int x, int y) const { return cells_[Index(x, y)]; }
  const std::vector<Cell>& Cells() const { return cells_; }
  // The characters of row y, as a string.
  std::string Row(int y) const;
  uint64_t SleptMilliseconds() const { return slept_; }

 private:
  // A run of cells from `start`, continuing on the next rows.
  template <typename Apply>
  void FillRun(uint32_t length, Coord start, Apply apply);
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_;
  int height_;
  SmallRect window_;
  uint16_t attribute_;
  Coord cursor_;
  uint32_t output_code_page_ = 437;
  std::vector<Cell> cells_;
  std::vector<Cell> scratch_;
  std::deque<InputRecord> input_;
  uint64_t slept_ = 0;
};

}  // namespace con
