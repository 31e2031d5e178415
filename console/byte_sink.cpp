#include "console/byte_sink.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace con {

void ByteSink::Append(std::string_view bytes) {
  while (!bytes.empty()) {
    if (count_ == sizeof buffer_) Flush();
    size_t n = bytes.size() < sizeof buffer_ - count_ ? bytes.size() : sizeof buffer_ - count_;
    std::memcpy(buffer_ + count_, bytes.data(), n);
    count_ += n;
    bytes.remove_prefix(n);
  }
}

void ByteSink::AppendNumber(unsigned value) {
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) Append(digits[--n]);
}

void ByteSink::Flush() {
  if (count_ == 0) return;
  total_ += count_;
  if (observer_ != nullptr) observer_(observer_context_, std::string_view(buffer_, count_));
  size_t done = 0;
  while (fd_ >= 0 && done < count_) {
    ssize_t n = write(fd_, buffer_ + done, count_ - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // a terminal that went away takes nothing more
    done += static_cast<size_t>(n);
  }
  count_ = 0;
}

}  // namespace con
