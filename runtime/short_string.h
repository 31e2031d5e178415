// A string of at most 255 8-bit characters, the language's short string.
#pragma once

#include <cstdint>
#include <string_view>

namespace rt {

struct ShortString {
  static constexpr int MaxLength = 255;

  uint8_t Length = 0;
  char Chars[MaxLength] = {};

  // Longer text is cut to 255 characters.
  static ShortString From(std::string_view text) {
    ShortString s;
    s.Length = static_cast<uint8_t>(text.size() < MaxLength ? text.size() : MaxLength);
    for (int i = 0; i < s.Length; ++i) s.Chars[i] = text[i];
    return s;
  }
  std::string_view View() const { return {Chars, Length}; }
};

}  // namespace rt
