#include "console/key_decoder.h"

#include "console/glyphs.h"

namespace con {

namespace {

constexpr uint8_t ESC = 0x1B;

struct KeyCodes {
  uint16_t Vk;
  uint16_t Scan;
};

// Set-1 scan codes of the letters a..z.
constexpr uint8_t LetterScan[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                    49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

// Punctuation of a US keyboard: unshifted, shifted, virtual key, scan code.
struct Punctuation {
  char Plain, Shifted;
  uint16_t Vk, Scan;
};
constexpr Punctuation PunctuationKeys[] = {
    {'-', '_', 189, 12}, {'=', '+', 187, 13}, {'[', '{', 219, 26}, {']', '}', 221, 27},
    {';', ':', 186, 39}, {'\'', '"', 222, 40}, {'`', '~', 192, 41}, {'\\', '|', 220, 43},
    {',', '<', 188, 51}, {'.', '>', 190, 52}, {'/', '?', 191, 53},
};
constexpr char ShiftedDigits[] = ")!@#$%^&*(";

InputRecord Press(KeyEventRecord key) { return InputRecord{KEY_EVENT, key}; }

KeyEventRecord Special(uint16_t vk, uint16_t scan, uint32_t state) {
  KeyEventRecord key;
  key.wVirtualKeyCode = vk;
  key.wVirtualScanCode = scan;
  key.dwControlKeyState = state;
  return key;
}

// xterm's modifier parameter: 1 + (Shift 1, Alt 2, Ctrl 4).
uint32_t ModifierState(int parameter) {
  if (parameter < 2) return 0;
  int bits = parameter - 1;
  uint32_t state = 0;
  if (bits & 1) state |= SHIFT_PRESSED;
  if (bits & 2) state |= LEFT_ALT_PRESSED;
  if (bits & 4) state |= LEFT_CTRL_PRESSED;
  return state;
}

constexpr KeyCodes Up{38, 72}, Down{40, 80}, Right{39, 77}, Left{37, 75}, Home{36, 71}, End{35, 79},
    Insert{45, 82}, Delete{46, 83}, PageUp{33, 73}, PageDown{34, 81};

// F1..F12: virtual keys 112..123; scan codes 59..68, 87, 88.
KeyCodes FunctionKey(int n) {
  return KeyCodes{static_cast<uint16_t>(111 + n), static_cast<uint16_t>(n <= 10 ? 58 + n : 76 + n)};
}

// The key of a final byte shared by CSI and SS3 forms; false if none.
bool KeyOfFinal(uint8_t final, KeyCodes& codes, bool& enhanced) {
  enhanced = true;
  switch (final) {
    case 'A': codes = Up; return true;
    case 'B': codes = Down; return true;
    case 'C': codes = Right; return true;
    case 'D': codes = Left; return true;
    case 'H': codes = Home; return true;
    case 'F': codes = End; return true;
  }
  enhanced = false;
  if (final >= 'P' && final <= 'S') {
    codes = FunctionKey(final - 'P' + 1);
    return true;
  }
  return false;
}

// The key of "CSI n ~"; false if none.
bool KeyOfTilde(int n, KeyCodes& codes, bool& enhanced) {
  enhanced = true;
  switch (n) {
    case 1: case 7: codes = Home; return true;
    case 2: codes = Insert; return true;
    case 3: codes = Delete; return true;
    case 4: case 8: codes = End; return true;
    case 5: codes = PageUp; return true;
    case 6: codes = PageDown; return true;
  }
  enhanced = false;
  static constexpr struct { int Code, Key; } FunctionCodes[] = {
      {11, 1}, {12, 2}, {13, 3}, {14, 4}, {15, 5}, {17, 6}, {18, 7},
      {19, 8}, {20, 9}, {21, 10}, {23, 11}, {24, 12}};
  for (auto f : FunctionCodes)
    if (f.Code == n) {
      codes = FunctionKey(f.Key);
      return true;
    }
  return false;
}

size_t Utf8Length(uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

KeyEventRecord KeyOfCharacter(uint8_t c, uint32_t extra) {
  KeyEventRecord key;
  key.uChar = c;
  key.dwControlKeyState = extra;
  auto set = [&key](uint16_t vk, uint16_t scan, uint32_t state = 0) {
    key.wVirtualKeyCode = vk;
    key.wVirtualScanCode = scan;
    key.dwControlKeyState |= state;
  };
  if (c >= 'a' && c <= 'z') set(static_cast<uint16_t>(c - 'a' + 'A'), LetterScan[c - 'a']);
  else if (c >= 'A' && c <= 'Z') set(c, LetterScan[c - 'A'], SHIFT_PRESSED);
  else if (c >= '1' && c <= '9') set(c, static_cast<uint16_t>(c - '1' + 2));
  else if (c == '0') set('0', 11);
  else if (c == ' ') set(32, 57);
  else if (c == 13) set(13, 28);
  else if (c == 9) set(9, 15);
  else if (c == 27) set(27, 1);
  else if (c == 127 || c == 8) {
    set(8, 14);
    key.uChar = 8;
  } else if (c == 0) set('2', 3, LEFT_CTRL_PRESSED | SHIFT_PRESSED);
  else if (c >= 1 && c <= 26) set(static_cast<uint16_t>('A' + c - 1), LetterScan[c - 1], LEFT_CTRL_PRESSED);
  else if (c >= 128) set(0, 0);
  else {
    for (int d = 0; d < 10; ++d)
      if (ShiftedDigits[d] == c) set(static_cast<uint16_t>('0' + d), d == 0 ? 11 : d + 1, SHIFT_PRESSED);
    for (auto p : PunctuationKeys) {
      if (p.Plain == c) set(p.Vk, p.Scan);
      if (p.Shifted == c) set(p.Vk, p.Scan, SHIFT_PRESSED);
    }
    // Ctrl with \ ] ^ _ sends 28..31.
    if (c >= 28 && c <= 31) {
      static constexpr KeyCodes Ctrl[] = {{220, 43}, {221, 27}, {'6', 7}, {189, 12}};
      set(Ctrl[c - 28].Vk, Ctrl[c - 28].Scan, LEFT_CTRL_PRESSED);
    }
  }
  return key;
}

bool KeyDecoder::CursorReported(int& row, int& column) const {
  if (cursor_row_ == 0) return false;
  row = cursor_row_;
  column = cursor_column_;
  return true;
}

void KeyDecoder::Add(uint8_t byte, std::vector<InputRecord>& keys) {
  if (discarding_) {
    if (byte >= 0x20 && byte <= 0x3F) return;
    discarding_ = false;
    if (byte >= 0x40 && byte <= 0x7E) return;
  }
  if (length_ == 0) {
    if (byte == ESC) {
      bytes_[length_++] = byte;
    } else if (byte >= 0x80) {
      utf8_needed_ = Utf8Length(byte);
      if (utf8_needed_ != 0) bytes_[length_++] = byte;  // a stray byte is dropped
    } else {
      keys.push_back(Press(KeyOfCharacter(byte)));
    }
    return;
  }
  if (bytes_[0] != ESC) {  // inside a UTF-8 character
    if ((byte & 0xC0) != 0x80) {
      Reset();
      Add(byte, keys);
      return;
    }
    bytes_[length_++] = byte;
    if (length_ < utf8_needed_) return;
    uint32_t cp = bytes_[0] & (0x7F >> utf8_needed_);
    for (size_t i = 1; i < length_; ++i) cp = (cp << 6) | (bytes_[i] & 0x3F);
    Reset();
    int character = ByteOfCodePoint(cp);
    if (character >= 0x80) keys.push_back(Press(KeyOfCharacter(static_cast<uint8_t>(character))));
    return;
  }
  if (length_ == 1) {
    if (byte == '[' || byte == 'O') {
      bytes_[length_++] = byte;
    } else if (byte == ESC) {
      keys.push_back(Press(KeyOfCharacter(ESC)));  // the first was a lone Escape
    } else if (byte < 0x80) {
      Reset();
      keys.push_back(Press(KeyOfCharacter(byte, LEFT_ALT_PRESSED)));
    } else {
      Reset();
      keys.push_back(Press(KeyOfCharacter(ESC)));
      Add(byte, keys);
    }
    return;
  }
  if (bytes_[1] == 'O') {  // SS3 and one final byte
    KeyCodes codes;
    bool enhanced;
    Reset();
    if (byte == 'M') {  // the keypad's Enter
      KeyEventRecord enter = Special(13, 28, ENHANCED_KEY);
      enter.uChar = 13;
      keys.push_back(Press(enter));
    } else if (KeyOfFinal(byte, codes, enhanced)) {
      keys.push_back(Press(Special(codes.Vk, codes.Scan, enhanced ? ENHANCED_KEY : 0)));
    }
    return;
  }
  // CSI: parameters and intermediates, then a final byte 0x40..0x7E.
  if (byte < 0x20 || byte > 0x7E) {
    Reset();  // not a sequence after all: drop it, keep the byte
    Add(byte, keys);
    return;
  }
  if (length_ == MaxSequence) {  // too long to be a key: drop it up to its end
    Reset();
    discarding_ = byte < 0x40;
    return;
  }
  bytes_[length_++] = byte;
  if (byte >= 0x40) {
    Csi(keys);
    Reset();
  }
}

void KeyDecoder::Csi(std::vector<InputRecord>& keys) {
  uint8_t final = bytes_[length_ - 1];
  // Parameters: an optional private marker, then numbers split by ';'.
  size_t at = 2;
  uint8_t marker = 0;
  if (at < length_ - 1 && bytes_[at] >= 0x3C && bytes_[at] <= 0x3F) marker = bytes_[at++];
  int params[4] = {0, 0, 0, 0};
  int count = 0;
  bool intermediate = false;
  for (; at < length_ - 1; ++at) {
    uint8_t b = bytes_[at];
    if (b >= '0' && b <= '9') {
      if (count == 0) count = 1;
      if (count > 4) continue;
      params[count - 1] = params[count - 1] * 10 + (b - '0');
      if (params[count - 1] > 9999) return;
    } else if (b == ';' || b == ':') {
      if (count == 0) count = 1;
      ++count;
    } else if (b >= 0x20 && b <= 0x2F) {
      intermediate = true;
    } else {
      return;
    }
  }
  if (marker == '?' && intermediate && final == 'y') {  // DECRPM
    if (params[0] == 2026) sync_update_state_ = params[1];
    return;
  }
  if (marker != 0 || intermediate) return;  // other replies and unknown forms
  if (final == 'R' && expect_cursor_report_) {
    expect_cursor_report_ = false;
    cursor_row_ = params[0];
    cursor_column_ = params[1];
    return;
  }
  uint32_t state = ModifierState(params[1]);
  KeyCodes codes;
  bool enhanced = false;
  if (final == 'Z') {
    KeyEventRecord key = KeyOfCharacter(9, SHIFT_PRESSED);
    keys.push_back(Press(key));
    return;
  }
  bool known = final == '~' ? KeyOfTilde(params[0], codes, enhanced) : KeyOfFinal(final, codes, enhanced);
  if (!known) return;
  keys.push_back(Press(Special(codes.Vk, codes.Scan, state | (enhanced ? ENHANCED_KEY : 0))));
}

void KeyDecoder::Timeout(std::vector<InputRecord>& keys) {
  if (length_ == 1 && bytes_[0] == ESC) keys.push_back(Press(KeyOfCharacter(ESC)));
  else if (length_ == 2 && bytes_[0] == ESC) keys.push_back(Press(KeyOfCharacter(bytes_[1], LEFT_ALT_PRESSED)));
  Reset();
}

}  // namespace con
