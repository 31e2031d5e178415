// What the presenter sends, read back through a terminal emulator.
#include "console/presenter.h"

#include <gtest/gtest.h>

#include <string>

#include "console/crt.h"
#include "tests/support/virtual_screen.h"

namespace con {
namespace {

class PresenterTest : public ::testing::Test {
 protected:
  PresenterTest() { sink.SetObserver(Record, this); }

  // Presents and returns the bytes sent.
  std::string Present() {
    sent.clear();
    presenter.Present(console, sink);
    terminal.Feed(sent);
    return sent;
  }

  static void Record(void* self, std::string_view bytes) { static_cast<PresenterTest*>(self)->sent += bytes; }

  MemoryConsole console{20, 6, 0x07};
  Presenter presenter{20, 6, 0x07};
  ByteSink sink;
  VirtualScreen terminal{20, 6};
  std::string sent;
};

TEST_F(PresenterTest, OnlyWrittenCellsAreSent) {
  terminal.Feed("\x1b[3;1Hshell output");
  console.FillCharacter('a', 3, Coord{2, 0});
  console.FillAttribute(0x07, 3, Coord{2, 0});
  Present();
  EXPECT_EQ(terminal.Row(0).substr(0, 6), "  aaa ");
  EXPECT_EQ(terminal.Row(2).substr(0, 12), "shell output") << "cells never written stay as they were";
}

TEST_F(PresenterTest, ColoursFromTheAttribute) {
  CrtStartUp(console);
  struct Case { uint8_t attribute; int foreground, background; } cases[] = {
      {0x07, -1, -1},  // the terminal's own colours
      {0x0F, 15, -1},  // bright white on the terminal's background
      {0x04, 1, -1},   // dark red: the console's red bit is ANSI's 1
      {0x01, 4, -1},   // blue
      {0x00, 0, -1},   // black
      {0x1E, 11, 4},   // yellow on blue
      {0x87, -1, 8},   // bright background
  };
  int x = 1;
  for (auto c : cases) {
    TextAttr = c.attribute;
    GotoXY(static_cast<uint8_t>(x++), 1);
    Write('#');
  }
  Present();
  x = 0;
  for (auto c : cases) {
    SCOPED_TRACE(int(c.attribute));
    EXPECT_EQ(terminal.Foreground(x, 0), c.foreground);
    EXPECT_EQ(terminal.Background(x, 0), c.background);
    ++x;
  }
}

TEST_F(PresenterTest, AnUnchangedFrameSendsNothing) {
  CrtStartUp(console);
  ClrScr();
  Write("hello");
  Present();
  ClrScr();  // cleared and redrawn the same, as the game does every tick
  Write("hello");
  EXPECT_EQ(Present(), "");
}

TEST_F(PresenterTest, AMovedSpriteCostsItsCellsAndAMove) {
  CrtStartUp(console);
  ClrScr();
  GotoXY(5, 3);
  Write("<#>");
  Present();
  ClrScr();
  GotoXY(6, 3);
  Write("<#>");
  std::string bytes = Present();
  EXPECT_EQ(terminal.Row(2).substr(0, 10), "     <#>  ");
  // Four changed cells in one run and the cursor's return home.
  EXPECT_LE(bytes.size(), 4u + 6u + 3u) << bytes;
}

TEST_F(PresenterTest, CursorEndsWhereTheConsoleHasIt) {
  CrtStartUp(console);
  ClrScr();
  GotoXY(20, 2);
  Write('x');  // the last column: the terminal waits to wrap
  Write('y');
  Present();
  EXPECT_EQ(terminal.Row(1).substr(19, 1), "x");
  EXPECT_EQ(terminal.Row(2).substr(0, 2), "y ");
  int column, row;
  terminal.Cursor(column, row);
  EXPECT_EQ(column, 1);
  EXPECT_EQ(row, 2);
}

TEST_F(PresenterTest, FramesAreWrappedInSynchronizedUpdates) {
  presenter.SetSynchronizedUpdate(true);
  CrtStartUp(console);
  ClrScr();
  Write("sync");
  std::string bytes = Present();
  EXPECT_EQ(bytes.rfind("\x1b[?2026h", 0), 0u);
  EXPECT_EQ(bytes.substr(bytes.size() - 8), "\x1b[?2026l");
  EXPECT_EQ(Present(), "") << "no empty frames";
}

TEST_F(PresenterTest, ForgetRepaintsAfterTheTerminalLostItsContent) {
  CrtStartUp(console);
  ClrScr();
  Write("kept");
  Present();
  terminal.Feed("\x1b[H\x1b[2Jgarbage");
  presenter.Forget();
  Present();
  EXPECT_EQ(terminal.Screen(), "kept\n\n\n\n\n\n");
}

TEST_F(PresenterTest, NothingBeyondASmallerTerminal) {
  CrtStartUp(console);
  ClrScr();
  GotoXY(1, 6);
  Write("bottom");
  GotoXY(15, 1);
  Write("right");
  presenter.SetTerminalSize(10, 4);
  Present();
  EXPECT_EQ(terminal.Screen(), "\n\n\n\n\n\n");
}

TEST_F(PresenterTest, CellBytesShowAsGlyphsNeverAsControls) {
  CrtStartUp(console);
  ClrScr();
  Write('\x1b', "[2J", '\x01', '\x00', '\x80', '\x9d', '\xe9', '\x7f');
  Present();
  EXPECT_EQ(terminal.Row(0).substr(0, 19), "\u2190[2J\u263a \u20ac?\u00e9\u2302");
}

}  // namespace
}  // namespace con
