#include "runtime/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "runtime/guards.h"
#include "runtime/io_result.h"

namespace rt {

namespace {

constexpr char CtrlZ = 26;

// A missing file is 2 "File not found"; a missing folder on its way is 3.
uint16_t OpenFailure(int errno_value, const char* path) {
  if (errno_value != ENOENT) return IoResultOfErrno(errno_value);
  const char* slash = std::strrchr(path, '/');
  if (slash == nullptr || slash == path) return IoResultOfErrno(ENOENT);
  char folder[ShortString::MaxLength + 1];
  size_t length = static_cast<size_t>(slash - path);
  std::memcpy(folder, path, length);
  folder[length] = '\0';
  struct stat info;
  if (stat(folder, &info) != 0 || !S_ISDIR(info.st_mode)) return IoResultOfErrno(ENOTDIR);
  return IoResultOfErrno(ENOENT);
}

bool Usable(TextFile& file) {
  if (InOutRes != 0) return false;
  if (file.State != TextFile::Mode::Input) {
    InOutRes = 103;
    return false;
  }
  return true;
}

// Makes the next byte available; false at the end of the data.
bool Fill(TextFile& file) {
  if (file.Position < file.Filled) return true;
  if (file.AtEnd) return false;
  for (;;) {
    ssize_t n = read(file.Handle, file.Buffer, sizeof file.Buffer);
    if (n < 0 && errno == EINTR) continue;
    // A pipe whose writer went away reads as the end of the file.
    if (n < 0 && errno == EPIPE) n = 0;
    if (n < 0) {
      InOutRes = IoResultOfErrno(errno);
      return false;
    }
    file.Position = 0;
    file.Filled = static_cast<size_t>(n);
    if (n == 0) file.AtEnd = true;
    return n > 0;
  }
}

// The next byte, or -1 at the end of the file (Ctrl-Z included).
int Peek(TextFile& file) {
  if (!Fill(file)) return -1;
  char c = file.Buffer[file.Position];
  return c == CtrlZ ? -1 : static_cast<unsigned char>(c);
}

}  // namespace

void Assign(TextFile& file, const ShortString& name) {
  file = TextFile{};
  file.Name = name;
  file.Assigned = true;
}

void Reset(TextFile& file) {
  if (InOutRes != 0) return;
  if (!file.Assigned) {
    InOutRes = 102;
    return;
  }
  if (file.State != TextFile::Mode::Closed) Close(file);
  char path[ShortString::MaxLength + 1];
  std::memcpy(path, file.Name.Chars, file.Name.Length);
  path[file.Name.Length] = '\0';

  int handle = open(path, O_RDONLY | O_CLOEXEC);
  if (handle < 0) {
    InOutRes = OpenFailure(errno, path);
    return;
  }
  struct stat info;
  int failure = 0;
  if (fstat(handle, &info) != 0) failure = errno;
  else if (S_ISDIR(info.st_mode)) failure = EISDIR;
  // No sharing: a file another program holds locked is not ours to read.
  else if (flock(handle, LOCK_EX | LOCK_NB) != 0) failure = errno;
  if (failure != 0) {
    close(handle);
    InOutRes = IoResultOfErrno(failure);
    return;
  }
  file.Handle = handle;
  file.State = TextFile::Mode::Input;
  file.Position = file.Filled = 0;
  file.AtEnd = false;
}

bool Eof(TextFile& file) {
  if (!Usable(file)) return true;
  return Peek(file) < 0;
}

void Read(TextFile& file, ShortString& line) {
  line.Length = 0;
  if (!Usable(file)) return;
  for (;;) {
    int c = Peek(file);
    if (c < 0 || c == '\n' || c == '\r') return;
    if (line.Length == ShortString::MaxLength) return;
    line.Chars[line.Length++] = static_cast<char>(c);
    ++file.Position;
  }
}

void ReadLn(TextFile& file) {
  if (!Usable(file)) return;
  for (;;) {
    int c = Peek(file);
    if (c < 0) return;
    ++file.Position;
    if (c == '\n') return;
    if (c == '\r') {
      if (Peek(file) == '\n') ++file.Position;
      return;
    }
  }
}

void Close(TextFile& file) {
  if (InOutRes != 0) return;
  if (file.State != TextFile::Mode::Input) {
    InOutRes = 103;
    return;
  }
  int result = close(file.Handle);
  file.Handle = -1;
  file.State = TextFile::Mode::Closed;
  if (result != 0) InOutRes = IoResultOfErrno(errno);
}

}  // namespace rt
