// An output text stream: a 256-byte buffer and the routine that empties it.
//
// Two streams exist: StdOut, plain writes to the standard output handle
// (the reports go here), and the console layer's Output, whose flush routine
// puts the bytes into console cells. A write statement appends its pieces
// and ends with EndStatement, which hands the buffer over when the stream
// flushes per statement, then applies the I/O guard.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rt {

struct TextOut {
  static constexpr size_t BufferSize = 256;

  // Empties the buffer; sets InOutRes on failure.
  void (*Flush)(TextOut& stream) = nullptr;
  int Handle = -1;
  // Hand the buffer over at the end of every statement.
  bool FlushPerStatement = false;
  size_t Count = 0;
  char Buffer[BufferSize] = {};
};

// Appending flushes whenever the buffer fills. Nothing here allocates, so a
// report can be written from a signal handler.
void Put(TextOut& stream, char byte);
void Put(TextOut& stream, std::string_view bytes);
void PutInteger(TextOut& stream, int64_t value);
void PutLineEnd(TextOut& stream);  // CR LF
void EndStatement(TextOut& stream);
void FlushStream(TextOut& stream);

// The report stream on the standard output handle.
extern TextOut StdOut;
void OpenStdOut();

}  // namespace rt
