// The platform console as the console layer sees it: a screen buffer of
// cells (a character byte and an attribute each), a visible window on it,
// a cursor, an output code page and a queue of input records.
//
// Coordinates are 0-based console cells. No call reports failure: a device
// that has no screen leaves a queried record as it found it (zero-filled by
// the caller) and ignores cell operations.
#pragma once

#include <cstdint>

#include "console/key_event.h"

namespace con {

struct Coord {
  int16_t X = 0;
  int16_t Y = 0;
};

// Inclusive on all four sides.
struct SmallRect {
  int16_t Left = 0;
  int16_t Top = 0;
  int16_t Right = 0;
  int16_t Bottom = 0;
};

struct CharInfo {
  uint8_t Char = ' ';
  uint16_t Attributes = 0;
};

struct ScreenBufferInfo {
  Coord dwSize;
  Coord dwCursorPosition;
  uint16_t wAttributes = 0;
  SmallRect srWindow;
};

class ConsoleDevice {
 public:
  virtual ~ConsoleDevice() = default;

  virtual void GetScreenBufferInfo(ScreenBufferInfo& info) = 0;
  virtual void SetCursorPosition(Coord position) = 0;
  // A run of `length` cells from `start`, continuing on the next rows.
  virtual void FillAttribute(uint16_t attribute, uint32_t length, Coord start) = 0;
  virtual void FillCharacter(uint8_t character, uint32_t length, Coord start) = 0;
  virtual void WriteCharacter(uint8_t character, Coord at) = 0;
  virtual void WriteAttribute(uint16_t attribute, Coord at) = 0;
  // Moves `source` so its top-left lands on `destination`; only cells in
  // `clip` change, and those the move uncovers get `fill`.
  virtual void Scroll(SmallRect source, SmallRect clip, Coord destination, CharInfo fill) = 0;

  virtual uint32_t GetOutputCP() = 0;
  virtual void SetOutputCP(uint32_t code_page) = 0;
  virtual uint32_t GetACP() = 0;

  virtual uint32_t GetNumberOfInputEvents() = 0;
  // Removes and returns the oldest record; false when none is queued.
  virtual bool ReadInput(InputRecord& record) = 0;

  virtual void Sleep(uint32_t milliseconds) = 0;
};

}  // namespace con
