// The console's input records, shaped after the platform's key events.
#pragma once

#include <cstdint>

namespace con {

// dwControlKeyState flags.
constexpr uint32_t RIGHT_ALT_PRESSED = 0x0001;
constexpr uint32_t LEFT_ALT_PRESSED = 0x0002;
constexpr uint32_t RIGHT_CTRL_PRESSED = 0x0004;
constexpr uint32_t LEFT_CTRL_PRESSED = 0x0008;
constexpr uint32_t SHIFT_PRESSED = 0x0010;
constexpr uint32_t ENHANCED_KEY = 0x0100;

struct KeyEventRecord {
  bool bKeyDown = true;  // false for a release; an auto-repeat is a press
  uint16_t wRepeatCount = 1;
  uint16_t wVirtualKeyCode = 0;
  uint16_t wVirtualScanCode = 0;  // set-1 scan code
  uint8_t uChar = 0;              // the key's character, 0 when it gives none
  uint32_t dwControlKeyState = 0;

  friend bool operator==(const KeyEventRecord&, const KeyEventRecord&) = default;
};

constexpr uint16_t KEY_EVENT = 0x0001;
constexpr uint16_t MOUSE_EVENT = 0x0002;
constexpr uint16_t WINDOW_BUFFER_SIZE_EVENT = 0x0004;

struct InputRecord {
  uint16_t EventType = KEY_EVENT;
  KeyEventRecord KeyEvent;

  friend bool operator==(const InputRecord&, const InputRecord&) = default;
};

}  // namespace con
