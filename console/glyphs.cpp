#include "console/glyphs.h"

#include <array>

namespace con {

namespace {

// The code point shown for each byte.
constexpr std::array<uint16_t, 256> CodePoints = [] {
  std::array<uint16_t, 256> table{};
  constexpr uint16_t PcControls[32] = {
      0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
      0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
      0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};
  // 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252.
  constexpr uint16_t Windows1252High[32] = {
      0x20AC, '?',    0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, '?',    0x017D, '?',    '?',    0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, '?',    0x017E, 0x0178};
  for (int b = 0; b < 256; ++b) table[b] = static_cast<uint16_t>(b);
  for (int b = 0; b < 32; ++b) table[b] = PcControls[b];
  table[127] = 0x2302;
  for (int b = 0; b < 32; ++b) table[0x80 + b] = Windows1252High[b];
  table[0xA0] = ' ';  // no-break space
  table[0xAD] = '-';  // a soft hyphen may show as nothing and shift the row
  return table;
}();

constexpr Glyph Encode(uint16_t cp) {
  if (cp < 0x80) return Glyph{{static_cast<char>(cp), 0, 0}, 1};
  if (cp < 0x800)
    return Glyph{{static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0}, 2};
  return Glyph{{static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                static_cast<char>(0x80 | (cp & 0x3F))},
               3};
}

constexpr std::array<Glyph, 256> Glyphs = [] {
  std::array<Glyph, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = Encode(CodePoints[b]);
  return table;
}();

}  // namespace

const Glyph& GlyphOf(uint8_t byte) { return Glyphs[byte]; }

int ByteOfCodePoint(uint32_t code_point) {
  if (code_point < 0x80) return static_cast<int>(code_point);
  for (int b = 0x80; b < 256; ++b)
    if (CodePoints[b] == code_point && code_point != '?') return b;
  return -1;
}

}  // namespace con
