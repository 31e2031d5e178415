// Text files for reading, with the language's pending I/O result.
//
// No operation raises by itself: each leaves its result in InOutRes for the
// IOCheck that follows it, and while InOutRes is not 0 every operation does
// nothing (Eof then answers true).
//
// Lines end at LF, CR LF or a lone CR; LF CR is two line ends. The byte 26
// (Ctrl-Z) ends the file wherever it stands.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/short_string.h"

namespace rt {

struct TextFile {
  enum class Mode : uint8_t { Closed, Input };

  ShortString Name;
  bool Assigned = false;
  Mode State = Mode::Closed;
  int Handle = -1;
  size_t Position = 0;  // next unread byte of Buffer
  size_t Filled = 0;    // bytes of Buffer that hold file data
  bool AtEnd = false;   // the handle has no more bytes
  char Buffer[256] = {};
};

void Assign(TextFile& file, const ShortString& name);
// Opens for reading only, and not while another program holds the file.
void Reset(TextFile& file);
bool Eof(TextFile& file);
// Reads up to the line end, keeping at most 255 characters; stops before it.
void Read(TextFile& file, ShortString& line);
// Skips the rest of the line and its line end.
void ReadLn(TextFile& file);
void Close(TextFile& file);

}  // namespace rt
