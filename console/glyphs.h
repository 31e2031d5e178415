// What a cell's byte looks like on a UTF-8 terminal.
//
// Bytes 32..126 stand for themselves, 128..255 for the Windows-1252
// characters, and the control bytes 1..31 and 127 for the PC console's
// glyphs; 0 is blank. No byte maps to a control character, so nothing
// written into a cell can reach the terminal as a control sequence.
#pragma once

#include <cstdint>
#include <string_view>

namespace con {

struct Glyph {
  char Bytes[3];
  uint8_t Length;
  std::string_view View() const { return {Bytes, Length}; }
};

const Glyph& GlyphOf(uint8_t byte);

// The cell byte for a Unicode character, or -1 when no byte shows it.
int ByteOfCodePoint(uint32_t code_point);

}  // namespace con
