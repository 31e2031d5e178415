// A fixed buffer in front of a terminal descriptor. It never allocates, so
// it can be flushed from a signal handler; with no descriptor it only
// counts, which is what the benchmarks measure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace con {

class ByteSink {
 public:
  explicit ByteSink(int fd = -1) : fd_(fd) {}

  void Append(std::string_view bytes);
  void Append(char byte) { Append(std::string_view(&byte, 1)); }
  void AppendNumber(unsigned value);
  void Flush();

  uint64_t TotalBytes() const { return total_; }
  // Observes every flushed chunk (tests and benchmarks).
  void SetObserver(void (*observer)(void* context, std::string_view bytes), void* context) {
    observer_ = observer;
    observer_context_ = context;
  }

 private:
  int fd_;
  size_t count_ = 0;
  uint64_t total_ = 0;
  void (*observer_)(void*, std::string_view) = nullptr;
  void* observer_context_ = nullptr;
  char buffer_[8192];
};

}  // namespace con
