#include "console/crt.h"

#include <gtest/gtest.h>

#include <string>

#include "console/memory_console.h"

namespace con {
namespace {

class CrtTest : public ::testing::Test {
 protected:
  void SetUp() override { CrtStartUp(screen); }

  // Window cell (x, y), 1-based.
  const Cell& At(int x, int y) { return screen.At(x - 1, y - 1); }
  std::pair<int, int> Cursor() { return {screen.Cursor().X + 1, screen.Cursor().Y + 1}; }
  std::string RowText(int y, int from, int count) { return screen.Row(y - 1).substr(from - 1, count); }

  MemoryConsole screen{80, 25, 0x07};
};

TEST_F(CrtTest, GotoXYMovesOnlyInsideTheWindow) {
  struct Case { uint8_t x, y; bool moves; } cases[] = {
      {80, 25, true}, {1, 1, true}, {81, 1, false}, {1, 26, false}, {0, 0, false}, {0, 5, false}, {5, 0, false},
  };
  for (auto c : cases) {
    SCOPED_TRACE(testing::Message() << "GotoXY(" << int(c.x) << ", " << int(c.y) << ")");
    GotoXY(7, 9);
    GotoXY(c.x, c.y);
    auto expected = c.moves ? std::pair<int, int>{c.x, c.y} : std::pair<int, int>{7, 9};
    EXPECT_EQ(Cursor(), expected);
  }
}

TEST_F(CrtTest, RefusedGotoWritesAtTheCursor) {
  ClrScr();
  GotoXY(0, 0);
  Write(10);
  EXPECT_EQ(RowText(1, 1, 3), "10 ");
  EXPECT_EQ(Cursor(), std::make_pair(3, 1));
}

TEST_F(CrtTest, IntegersAreDecimalWithoutPadding) {
  struct Case { int value; const char* text; } cases[] = {{-32768, "-32768"}, {0, "0"}, {10, "10"}, {32767, "32767"}};
  for (auto c : cases) {
    ClrScr();
    Write(rt::Int16(c.value));
    EXPECT_EQ(RowText(1, 1, 7), (std::string(c.text) + "       ").substr(0, 7)) << c.value;
  }
}

TEST_F(CrtTest, LastColumnWrapsAndBottomRightScrolls) {
  ClrScr();
  GotoXY(80, 3);
  Write('a');
  EXPECT_EQ(At(80, 3).Char, 'a');
  EXPECT_EQ(Cursor(), std::make_pair(1, 4));

  GotoXY(1, 1);
  Write('t');
  GotoXY(80, 25);
  Write('z');
  EXPECT_EQ(At(80, 24).Char, 'z') << "the window moved up a row";
  EXPECT_EQ(At(80, 2).Char, 'a');
  EXPECT_EQ(At(1, 1).Char, ' ') << "row 1 scrolled away";
  EXPECT_EQ(RowText(25, 1, 80), std::string(80, ' '));
  EXPECT_EQ(Cursor(), std::make_pair(1, 25));
}

TEST_F(CrtTest, GameOverLine) {
  ClrScr();
  WriteLn("Game Over!");
  EXPECT_EQ(RowText(1, 1, 11), "Game Over! ");
  EXPECT_EQ(Cursor(), std::make_pair(1, 2));

  GotoXY(1, 25);
  WriteLn("Game Over!");
  EXPECT_EQ(RowText(24, 1, 10), "Game Over!") << "the line end scrolled once";
  EXPECT_EQ(Cursor(), std::make_pair(1, 25));
}

TEST_F(CrtTest, ControlBytes) {
  ClrScr();
  GotoXY(1, 5);
  Write('\b');
  EXPECT_EQ(Cursor(), std::make_pair(1, 5)) << "backspace stops at the left edge";
  Write("ab\b");
  EXPECT_EQ(Cursor(), std::make_pair(2, 5));
  EXPECT_EQ(At(2, 5).Char, 'b') << "backspace does not erase";
  Write('\a');
  EXPECT_EQ(Cursor(), std::make_pair(2, 5));
  Write('\t');
  EXPECT_EQ(At(2, 5).Char, '\t') << "a tab fills one cell";
  EXPECT_EQ(Cursor(), std::make_pair(3, 5));

  GotoXY(7, 25);
  Write('q');
  GotoXY(7, 25);
  Write('\n');
  EXPECT_EQ(At(7, 24).Char, 'q') << "a line feed on the last row scrolls";
  EXPECT_EQ(Cursor(), std::make_pair(7, 25)) << "and keeps the column";
}

TEST_F(CrtTest, CellsTakeTextAttrAndClearingKeepsOutsideCells) {
  MemoryConsole framed(20, 10, SmallRect{2, 1, 11, 5}, 0x1F);
  CrtStartUp(framed);
  EXPECT_EQ(WindMinX, 3u);
  EXPECT_EQ(WindMaxY, 6u);
  ClrScr();
  EXPECT_FALSE(framed.At(1, 1).Written) << "left of the window";
  EXPECT_FALSE(framed.At(2, 6).Written) << "below the window";
  EXPECT_EQ(framed.At(2, 1), (Cell{' ', 0x1F, true}));
  EXPECT_EQ(framed.Cursor().X, 2);
  TextColor(4);
  Write('R');
  EXPECT_EQ(framed.At(2, 1), (Cell{'R', 0x14, true}));
  // A full window scrolls within its bounds only.
  GotoXY(10, 5);
  Write('!');
  EXPECT_EQ(framed.At(11, 4).Char, '!');
  EXPECT_FALSE(framed.At(12, 4).Written);
}

TEST_F(CrtTest, TextColorKeepsTheBackground) {
  struct Case { uint8_t before, color, after; } cases[] = {
      {0x1F, 4, 0x14}, {0xF0, 15, 0x7F}, {0x07, 143, 0x8F}, {0x07, 0, 0x00},
  };
  for (auto c : cases) {
    TextAttr = c.before;
    TextColor(c.color);
    EXPECT_EQ(TextAttr, c.after) << int(c.before) << " / " << int(c.color);
  }
}

TEST_F(CrtTest, WritesRestoreTheOutputCodePage) {
  screen.SetOutputCP(850);
  Write('x');
  EXPECT_EQ(screen.GetOutputCP(), 850u);
}

// --- keys -------------------------------------------------------------------

InputRecord Press(uint16_t vk, uint16_t scan, uint8_t ch, uint32_t state = 0) {
  return InputRecord{KEY_EVENT, KeyEventRecord{true, 1, vk, scan, ch, state}};
}
InputRecord Release(uint16_t vk, uint16_t scan = 0, uint32_t state = 0) {
  return InputRecord{KEY_EVENT, KeyEventRecord{false, 1, vk, scan, 0, state}};
}

class KeyTest : public CrtTest {
 protected:
  std::vector<int> ReadAll() {
    std::vector<int> bytes;
    while (KeyPressed()) bytes.push_back(ReadKey());
    return bytes;
  }
};

TEST_F(KeyTest, ArrowKeyIsTwoBytesAndTheSecondIsPending) {
  screen.QueueInput(Press(38, 72, 0, ENHANCED_KEY));
  ASSERT_TRUE(KeyPressed());
  EXPECT_EQ(ReadKey(), 0);
  EXPECT_EQ(screen.GetNumberOfInputEvents(), 0u);
  EXPECT_TRUE(KeyPressed()) << "the code byte waits without the console";
  EXPECT_EQ(ReadKey(), 72);
  EXPECT_FALSE(KeyPressed());
}

TEST_F(KeyTest, KeysGiveTheirBytes) {
  const uint32_t shift = SHIFT_PRESSED, ctrl = LEFT_CTRL_PRESSED, alt = LEFT_ALT_PRESSED;
  struct Case { const char* name; InputRecord key; std::vector<int> bytes; } cases[] = {
      {"Space", Press(32, 57, ' '), {32}},
      {"Escape", Press(27, 1, 27), {27}},
      {"Enter", Press(13, 28, 13), {13}},
      {"keypad Enter", Press(13, 28, 13, ENHANCED_KEY), {0, 28}},
      {"letter", Press('A', 30, 'a'), {'a'}},
      {"Shift+Tab", Press(9, 15, 9, shift), {0, 15}},
      {"F1", Press(112, 59, 0), {0, 59}},
      {"F12", Press(123, 88, 0), {0, 134}},
      {"Ctrl+Up", Press(38, 72, 0, ctrl | ENHANCED_KEY), {0, 141}},
      {"Ctrl+Home", Press(36, 71, 0, ctrl | ENHANCED_KEY), {0, 119}},
      {"Ctrl+Tab", Press(9, 15, 9, ctrl), {9}},
      {"Shift+F1", Press(112, 59, 0, shift), {0, 84}},
      {"Shift+F11", Press(122, 87, 0, shift), {0, 135}},
      {"left Alt+1", Press('1', 2, '1', alt), {0, 120}},
      {"Alt+Ctrl+F1", Press(112, 59, 0, alt | ctrl), {0, 104}},
      {"Alt+letter", Press('X', 45, 'x', alt), {0, 45}},
      {"Alt+Enter", Press(13, 28, 13, alt), {0, 166}},
      {"Alt+F12", Press(123, 88, 0, alt), {0, 140}},
      {"Ctrl+F12", Press(123, 88, 0, ctrl), {0, 138}},
      {"Alt unlisted stays", Press(46, 83 + 1, 0, alt), {0, 84}},
      {"Ctrl keypad plus", Press(107, 78, 0, ctrl), {0, 78}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    screen.QueueInput(c.key);
    EXPECT_EQ(ReadAll(), c.bytes);
  }
}

TEST_F(KeyTest, ModifiersAloneAndReleasesGiveNothing) {
  for (uint16_t vk : {16, 17, 18, 20, 144, 145}) {
    screen.QueueInput(Press(vk, 0, 0));
    screen.QueueInput(Release(vk));
  }
  screen.QueueInput(Release('A', 30));
  screen.QueueInput(InputRecord{MOUSE_EVENT, {}});
  EXPECT_FALSE(KeyPressed());
  EXPECT_EQ(screen.GetNumberOfInputEvents(), 0u);
}

TEST_F(KeyTest, AltKeypadComposesACode) {
  struct Case { std::vector<uint16_t> scans; std::vector<int> bytes; } cases[] = {
      {{77, 76}, {65}},        // 6, 5
      {{81, 82, 82}, {44}},    // 3, 0, 0: 300 mod 256
      {{82}, {}},              // 0 alone gives nothing
  };
  for (auto& c : cases) {
    screen.QueueInput(Press(18, 56, 0, LEFT_ALT_PRESSED));
    for (uint16_t scan : c.scans) screen.QueueInput(Press(96, scan, 0, LEFT_ALT_PRESSED));
    screen.QueueInput(Release(18, 56));
    EXPECT_EQ(ReadAll(), c.bytes);
    DoingNumChars = false;
    DoingNumCode = 0;
  }
}

TEST_F(KeyTest, OneKeyPerCallLeavesTheRestQueued) {
  screen.QueueInput(Press('A', 30, 'a'));
  screen.QueueInput(Press('B', 48, 'b'));
  ASSERT_TRUE(KeyPressed());
  EXPECT_EQ(screen.GetNumberOfInputEvents(), 1u);
  EXPECT_EQ(ReadKey(), 'a');
  EXPECT_EQ(ReadKey(), 'b');
}

TEST_F(KeyTest, ReadKeyWaitsForAKey) {
  struct LateKey : MemoryConsole {
    using MemoryConsole::MemoryConsole;
    void Sleep(uint32_t ms) override {
      MemoryConsole::Sleep(ms);
      if (SleptMilliseconds() == 5) QueueInput(Press(32, 57, ' '));
    }
  } late(80, 25);
  CrtStartUp(late);
  EXPECT_EQ(ReadKey(), 32);
  EXPECT_EQ(late.SleptMilliseconds(), 5u) << "polled every millisecond";
  Delay(60);
  EXPECT_EQ(late.SleptMilliseconds(), 65u);
}

}  // namespace
}  // namespace con
