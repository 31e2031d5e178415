// A string of at most 255 8-bit characters, the language's short string.
#pragma once

#include <cstdint>
#include <string_view>

namespace rt {

struct ShortString {
  static constexpr int MaxLength = 255;

  uint8_t Length = 0;
  char Chars[MaxLength] = {};

  ShortString() = default;
  // Longer text is cut to 255 characters, as an assignment would.
  ShortString(std::string_view text)
      : Length(static_cast<uint8_t>(text.size() < MaxLength ? text.size() : MaxLength)) {
    for (int i = 0; i < Length; ++i) Chars[i] = text[i];
  }
  ShortString(const char* text) : ShortString(std::string_view(text)) {}

  std::string_view View() const { return {Chars, Length}; }
};

}  // namespace rt
