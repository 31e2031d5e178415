#include "runtime/text_out.h"

#include <unistd.h>

#include <cerrno>

#include "runtime/guards.h"
#include "runtime/io_result.h"

namespace rt {

TextOut StdOut;

void FlushStream(TextOut& stream) {
  if (stream.Count == 0 || stream.Flush == nullptr) return;
  stream.Flush(stream);
}

void Put(TextOut& stream, char byte) {
  if (InOutRes != 0) return;
  if (stream.Count == TextOut::BufferSize) FlushStream(stream);
  stream.Buffer[stream.Count++] = byte;
}

void Put(TextOut& stream, std::string_view bytes) {
  for (char byte : bytes) Put(stream, byte);
}

void PutInteger(TextOut& stream, int64_t value) {
  char digits[24];
  int n = 0;
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) Put(stream, '-');
  while (n > 0) Put(stream, digits[--n]);
}

void PutLineEnd(TextOut& stream) { Put(stream, "\r\n"); }

void EndStatement(TextOut& stream) {
  if (stream.FlushPerStatement) FlushStream(stream);
}

// Plain writes to a handle; a short write is 101, a failing one its I/O result.
static void WriteToHandle(TextOut& stream) {
  size_t done = 0;
  while (done < stream.Count) {
    ssize_t n = write(stream.Handle, stream.Buffer + done, stream.Count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      InOutRes = IoResultOfErrno(errno);
      break;
    }
    if (n == 0) {
      InOutRes = 101;
      break;
    }
    done += static_cast<size_t>(n);
  }
  stream.Count = 0;
}

void OpenStdOut() {
  StdOut.Flush = WriteToHandle;
  StdOut.Handle = STDOUT_FILENO;
  StdOut.FlushPerStatement = isatty(STDOUT_FILENO) == 1;
  StdOut.Count = 0;
}

}  // namespace rt
