// Turns the bytes a terminal sends for keys into key-event records.
//
// A pure object: it is fed bytes, and told when a while (about 50 ms)
// passed with nothing after them; it never reads a clock or a descriptor.
// A sequence split across reads decodes once its last byte arrives; an
// unknown sequence is dropped whole. Terminal replies (cursor position,
// mode reports, device attributes) are consumed and never become keys.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "console/key_event.h"

namespace con {

class KeyDecoder {
 public:
  // Feeds one byte; keys it completes are appended to `keys`.
  void Add(uint8_t byte, std::vector<InputRecord>& keys);
  // Nothing came for a while: a lone ESC is the Escape key, ESC and one
  // byte are Alt with that key, and anything else held is dropped.
  void Timeout(std::vector<InputRecord>& keys);
  // Bytes are held, waiting for the rest of a sequence.
  bool Pending() const { return length_ > 0; }

  // Take "CSI row ; col R" as a cursor position report (it is also Shift+F3
  // on some terminals, so only while one is awaited).
  void ExpectCursorReport(bool expect = true) { expect_cursor_report_ = expect; }
  bool CursorReported(int& row, int& column) const;
  // The answer to "CSI ? 2026 $ p": -1 none yet, else the mode's state.
  int SyncUpdateState() const { return sync_update_state_; }

 private:
  void Complete(std::vector<InputRecord>& keys);
  void Csi(std::vector<InputRecord>& keys);
  void Reset() { length_ = 0; }

  static constexpr size_t MaxSequence = 32;
  uint8_t bytes_[MaxSequence] = {};
  size_t length_ = 0;
  size_t utf8_needed_ = 0;
  bool discarding_ = false;  // inside an overlong sequence
  bool expect_cursor_report_ = false;
  int cursor_row_ = 0, cursor_column_ = 0;
  int sync_update_state_ = -1;
};

// The key record of a character typed on a US keyboard (Ctrl+letter and
// bytes 128..255 included), with `extra` control-key flags added.
KeyEventRecord KeyOfCharacter(uint8_t character, uint32_t extra = 0);

}  // namespace con
