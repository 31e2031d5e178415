#include "game/frame.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "console/crt.h"
#include "console/memory_console.h"
#include "tests/support/temp_files.h"

namespace {

using Cells = std::vector<std::tuple<int, int, char>>;

Cells CellsOf(TFrame& frame) {
  Cells cells;
  for (Int32 i = 0; i <= frame.Image.High(); i = i + 1)
    cells.emplace_back(frame.Image[i].X.Value(), frame.Image[i].Y.Value(), frame.Image[i].C);
  return cells;
}

TEST(LoadFromFile, CellsWidthAndHeight) {
  struct Case { const char* name; std::string content; Cells cells; int width, height; } cases[] = {
      {"empty file", "", {}, 0, 0},
      {"AB", "AB", {{0, 0, 'A'}, {1, 0, 'B'}}, 2, 0},
      {"empty first line", "\nx", {{0, 1, 'x'}}, 1, 1},
      {"trailing spaces", "x  \n", {{0, 0, 'x'}, {1, 0, ' '}, {2, 0, ' '}}, 3, 0},
      {"LF", "ab\nc\n", {{0, 0, 'a'}, {1, 0, 'b'}, {0, 1, 'c'}}, 2, 1},
      {"CR LF", "ab\r\nc\r\n", {{0, 0, 'a'}, {1, 0, 'b'}, {0, 1, 'c'}}, 2, 1},
      {"lone CR", "ab\rc\r", {{0, 0, 'a'}, {1, 0, 'b'}, {0, 1, 'c'}}, 2, 1},
      {"Ctrl-Z mid-line", "ab\ncd\x1a" "ef\ngh", {{0, 0, 'a'}, {1, 0, 'b'}, {0, 1, 'c'}, {0 + 1, 1, 'd'}}, 2, 1},
      {"blank rows keep numbering", "a\n\n\nb", {{0, 0, 'a'}, {0, 3, 'b'}}, 1, 3},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = TempFileWith(c.content);
    TFrame frame{};
    frame.LoadFromFile(rt::ShortString(path));
    EXPECT_EQ(CellsOf(frame), c.cells);
    EXPECT_EQ(frame.Width.Value(), c.width);
    EXPECT_EQ(frame.Height.Value(), c.height);
    unlink(path.c_str());
  }
}

TEST(LoadFromFile, LongLinesKeep255Cells) {
  std::string path = TempFileWith(std::string(300, 'x') + "\ny");
  TFrame frame{};
  frame.LoadFromFile(rt::ShortString(path));
  Cells cells = CellsOf(frame);
  ASSERT_EQ(cells.size(), 256u);
  EXPECT_EQ(cells[254], std::make_tuple(254, 0, 'x'));
  EXPECT_EQ(cells[255], std::make_tuple(0, 1, 'y')) << "the rest of the long line is skipped";
  EXPECT_EQ(frame.Width.Value(), 255);
  unlink(path.c_str());
}

TEST(LoadFromFile, LoadingAgainAppends) {
  std::string path = TempFileWith("ab\nc");
  TFrame frame{};
  frame.LoadFromFile(rt::ShortString(path));
  frame.LoadFromFile(rt::ShortString(path));
  EXPECT_EQ(frame.Image.Length().Value(), 6);
  EXPECT_EQ(frame.Width.Value(), 2);
  unlink(path.c_str());
}

TEST(Draw, CellsLandAtTheirScreenPlaces) {
  con::MemoryConsole screen(80, 25, 0x07);
  con::CrtStartUp(screen);
  std::string path = TempFileWith(" ^\n/A\\");
  TFrame frame{};
  frame.LoadFromFile(rt::ShortString(path));
  frame.Draw(40, 20, false);
  EXPECT_EQ(screen.Row(19).substr(39, 3), " ^ ");
  EXPECT_EQ(screen.Row(20).substr(39, 3), "/A\\");
  EXPECT_EQ(screen.At(40, 19).Attributes, 15);
  frame.Draw(10, 5, true);
  EXPECT_EQ(screen.At(10, 4).Attributes, 0) << "hidden draws in black";

  // Cells beyond the console's byte coordinates are not drawn at all; a
  // column of 0 is a coordinate, refused by the window, so its character
  // lands at the cursor.
  con::ClrScr();
  con::GotoXY(5, 5);
  frame.Draw(-1, 3, false);
  EXPECT_EQ(screen.Row(4).substr(0, 8), "    ^A  ");
  EXPECT_EQ(screen.Row(3).substr(0, 2), "\\ ");
  frame.Draw(300, 3, false);
  frame.Draw(3, -5, false);
  EXPECT_EQ(screen.Row(4).substr(0, 8), "    ^A  ");
  EXPECT_EQ(screen.Row(3).substr(0, 3), "\\  ");

  TFrame empty{};
  con::TextAttr = 0x07;
  empty.Draw(1, 1, false);
  EXPECT_EQ(con::TextAttr, 15) << "an empty picture still sets the colour";
  unlink(path.c_str());
}

}  // namespace
