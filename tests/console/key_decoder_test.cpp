#include "console/key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace con {
namespace {

struct Key {
  uint16_t Vk, Scan;
  uint8_t Char;
  uint32_t State;
  friend bool operator==(const Key&, const Key&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Key& k) {
    return os << "{vk " << k.Vk << ", scan " << k.Scan << ", char " << int(k.Char) << ", state 0x" << std::hex
              << k.State << std::dec << "}";
  }
};

std::vector<Key> Keys(const std::vector<InputRecord>& records) {
  std::vector<Key> keys;
  for (auto& r : records) {
    EXPECT_TRUE(r.KeyEvent.bKeyDown);
    keys.push_back({r.KeyEvent.wVirtualKeyCode, r.KeyEvent.wVirtualScanCode, r.KeyEvent.uChar,
                    r.KeyEvent.dwControlKeyState});
  }
  return keys;
}

// Feeds each chunk as a separate read; `timeout` says a pause follows.
std::vector<Key> Decode(std::vector<std::string> chunks, bool timeout = false) {
  KeyDecoder decoder;
  std::vector<InputRecord> records;
  for (auto& chunk : chunks)
    for (unsigned char b : chunk) decoder.Add(b, records);
  if (timeout) decoder.Timeout(records);
  return Keys(records);
}

constexpr uint32_t Shift = SHIFT_PRESSED, Alt = LEFT_ALT_PRESSED, Ctrl = LEFT_CTRL_PRESSED, Enh = ENHANCED_KEY;

TEST(KeyDecoder, SequencesGiveKeyRecords) {
  struct Case { const char* name; std::vector<std::string> chunks; bool timeout; std::vector<Key> keys; } cases[] = {
      {"letter", {"a"}, false, {{'A', 30, 'a', 0}}},
      {"capital", {"M"}, false, {{'M', 50, 'M', Shift}}},
      {"digit", {"1"}, false, {{'1', 2, '1', 0}}},
      {"space", {" "}, false, {{32, 57, ' ', 0}}},
      {"shifted digit", {"!"}, false, {{'1', 2, '!', Shift}}},
      {"punctuation", {"/", "?"}, false, {{191, 53, '/', 0}, {191, 53, '?', Shift}}},
      {"enter", {"\r"}, false, {{13, 28, 13, 0}}},
      {"tab", {"\t"}, false, {{9, 15, 9, 0}}},
      {"backspace", {"\x7f"}, false, {{8, 14, 8, 0}}},
      {"ctrl+a", {"\x01"}, false, {{'A', 30, 1, Ctrl}}},
      {"lone escape after a pause", {"\x1b"}, true, {{27, 1, 27, 0}}},
      {"escape not yet", {"\x1b"}, false, {}},
      {"two escapes", {"\x1b\x1b"}, true, {{27, 1, 27, 0}, {27, 1, 27, 0}}},
      {"alt+x", {"\x1bx"}, false, {{'X', 45, 'x', Alt}}},
      {"alt+[ after a pause", {"\x1b["}, true, {{219, 26, '[', Alt}}},
      {"up", {"\x1b[A"}, false, {{38, 72, 0, Enh}}},
      {"down, application mode", {"\x1bOB"}, false, {{40, 80, 0, Enh}}},
      {"right", {"\x1b[C"}, false, {{39, 77, 0, Enh}}},
      {"left", {"\x1b[D"}, false, {{37, 75, 0, Enh}}},
      {"home", {"\x1b[H"}, false, {{36, 71, 0, Enh}}},
      {"end rxvt", {"\x1b[8~"}, false, {{35, 79, 0, Enh}}},
      {"insert", {"\x1b[2~"}, false, {{45, 82, 0, Enh}}},
      {"delete", {"\x1b[3~"}, false, {{46, 83, 0, Enh}}},
      {"page up", {"\x1b[5~"}, false, {{33, 73, 0, Enh}}},
      {"page down", {"\x1b[6~"}, false, {{34, 81, 0, Enh}}},
      {"F1", {"\x1bOP"}, false, {{112, 59, 0, 0}}},
      {"F4 vt", {"\x1b[14~"}, false, {{115, 62, 0, 0}}},
      {"F5", {"\x1b[15~"}, false, {{116, 63, 0, 0}}},
      {"F10", {"\x1b[21~"}, false, {{121, 68, 0, 0}}},
      {"F12", {"\x1b[24~"}, false, {{123, 88, 0, 0}}},
      {"ctrl+up", {"\x1b[1;5A"}, false, {{38, 72, 0, Ctrl | Enh}}},
      {"shift+F1", {"\x1b[1;2P"}, false, {{112, 59, 0, Shift}}},
      {"alt+ctrl+F5", {"\x1b[15;7~"}, false, {{116, 63, 0, Alt | Ctrl}}},
      {"shift+tab", {"\x1b[Z"}, false, {{9, 15, 9, Shift}}},
      {"keypad enter", {"\x1bOM"}, false, {{13, 28, 13, Enh}}},
      {"split across reads", {"\x1b", "[", "1;", "5", "C"}, false, {{39, 77, 0, Ctrl | Enh}}},
      {"utf-8 euro is 0x80", {"\xe2\x82", "\xac"}, false, {{0, 0, 0x80, 0}}},
      {"utf-8 e-acute is 0xE9", {"\xc3\xa9"}, false, {{0, 0, 0xE9, 0}}},
      {"utf-8 without a byte", {"\xe2\x98\x83x"}, false, {{'X', 45, 'x', 0}}},
      {"unknown csi dropped whole", {"\x1b[99~x"}, false, {{'X', 45, 'x', 0}}},
      {"unknown ss3 dropped", {"\x1bOzq"}, false, {{'Q', 16, 'q', 0}}},
      {"mode report consumed", {"\x1b[?2026;2$y"}, false, {}},
      {"device attributes consumed", {"\x1b[?62;22c"}, false, {}},
      {"broken csi keeps the next byte", {"\x1b[1\rq"}, false, {{13, 28, 13, 0}, {'Q', 16, 'q', 0}}},
      {"partial sequence dropped at pause", {"\x1b[1;"}, true, {}},
      {"overlong sequence dropped whole", {"\x1b[" + std::string(60, '1') + ";2~q"}, false, {{'Q', 16, 'q', 0}}},
      {"many parameters", {"\x1b[1;2;3;4;5;6;7A"}, false, {{38, 72, 0, Shift | Enh}}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Decode(c.chunks, c.timeout), c.keys);
  }
}

TEST(KeyDecoder, RepliesAreReadNotTyped) {
  KeyDecoder decoder;
  std::vector<InputRecord> keys;
  int row, column;
  for (unsigned char b : std::string("\x1b[1;2R")) decoder.Add(b, keys);
  EXPECT_EQ(Keys(keys), (std::vector<Key>{{114, 61, 0, Shift}})) << "unasked, it is Shift+F3";
  EXPECT_FALSE(decoder.CursorReported(row, column));

  keys.clear();
  decoder.ExpectCursorReport();
  for (unsigned char b : std::string("\x1b[?2026;1$yk\x1b[12;40R")) decoder.Add(b, keys);
  EXPECT_EQ(Keys(keys), (std::vector<Key>{{'K', 37, 'k', 0}}));
  ASSERT_TRUE(decoder.CursorReported(row, column));
  EXPECT_EQ(row, 12);
  EXPECT_EQ(column, 40);
  EXPECT_EQ(decoder.SyncUpdateState(), 1);
}

}  // namespace
}  // namespace con
