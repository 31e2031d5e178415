// The game as a player meets it: in a pseudo-terminal of 80 by 45, read
// back through a terminal emulator.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "tests/support/pty_terminal.h"
#include "tests/support/temp_files.h"

namespace {

const std::string Game = GAME_BINARY;
const std::string Data = DATA_DIR;

// A folder holding the game's own pictures.
void CopyPictures(const TempFolder& folder) {
  for (const char* name : {"player_up.txt", "enemy.txt"}) {
    std::ifstream picture(Data + "/" + name, std::ios::binary);
    std::stringstream content;
    content << picture.rdbuf();
    folder.Write(name, content.str());
  }
}

// The column of the ship's tip ('^') on its row, or -1.
int ShipTip(PtyTerminal& term) { return static_cast<int>(term.Row(19).find('^')); }

TEST(Play, TheFieldAtStartAndTheKeys) {
  TempFolder folder;
  CopyPictures(folder);
  PtyTerminal term(80, 45);
  termios before = term.Modes();
  term.Start(Game, {}, folder.Path());
  ASSERT_TRUE(term.WaitForText("10"));
  EXPECT_EQ(term.Row(0).substr(0, 3), "10 ");
  EXPECT_EQ(term.Foreground(0, 0), 1) << "the counter is red";
  EXPECT_EQ(ShipTip(term), 39 + 2) << "ship origin at column 40, row 20";
  EXPECT_EQ(term.Foreground(41, 19), 15);

  term.Type("\x1b[C");
  ASSERT_TRUE(term.WaitUntil([&] { return ShipTip(term) >= 44; }));
  int moved = ShipTip(term);
  ASSERT_TRUE(term.WaitUntil([&] { return ShipTip(term) > moved; })) << "one press keeps it moving";

  term.Type(" ");
  ASSERT_TRUE(term.WaitUntil([&] {
    int tip = ShipTip(term);
    return tip > 0 && term.Row(18)[static_cast<size_t>(tip)] == '*' && term.Row(3)[static_cast<size_t>(tip)] == '*';
  })) << term.Screen();

  term.Type("\x1b");
  EXPECT_EQ(term.WaitForExit(), 0);
  termios after = term.Modes();
  EXPECT_EQ(before.c_lflag, after.c_lflag);
  EXPECT_EQ(before.c_iflag, after.c_iflag);
}

TEST(Play, LivesRunOutIntoGameOver) {
  TempFolder folder;
  CopyPictures(folder);
  folder.Write("enemy.txt", std::string(120, '#') + "\n");  // wide enough to hit the ship every pass
  PtyTerminal term(80, 45);
  term.Start(Game, {}, folder.Path());
  EXPECT_EQ(term.WaitForExit(30000), 0);
  EXPECT_EQ(term.Row(0).substr(0, 11), "Game Over! ") << term.Screen();
  int column, row;
  term.Cursor(column, row);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(column, 0);
}

TEST(Play, AMissingPictureIsReportedAtTheCursor) {
  TempFolder folder;
  PtyTerminal term(80, 45);
  term.Start(Game, {}, folder.Path());
  EXPECT_EQ(term.WaitForExit(), 217);
  std::string screen = term.Screen();
  std::regex report(
      "An unhandled exception occurred at \\$([0-9A-F]{8}) :\n"
      "EInOutError : File not found\n"
      "  \\$\\1\n"
      "  \\$[0-9A-F]{8}\n"
      "  \\$[0-9A-F]{8}\n\n");
  EXPECT_TRUE(std::regex_search(screen, report)) << screen;
}

TEST(Play, RedirectedOutputHoldsTheReportAlone) {
  TempFolder folder;
  PtyTerminal term(80, 45);
  termios before = term.Modes();
  term.Start("/bin/sh", {"-c", "exec " + Game + " > report.txt"}, folder.Path());
  EXPECT_EQ(term.WaitForExit(), 217);
  std::ifstream file(folder.Path() + "/report.txt", std::ios::binary);
  std::stringstream report;
  report << file.rdbuf();
  std::regex whole(
      "An unhandled exception occurred at \\$([0-9A-F]{8}) :\r\n"
      "EInOutError : File not found\r\n"
      "  \\$\\1\r\n"
      "(  \\$[0-9A-F]{8}\r\n){2}\r\n");
  EXPECT_TRUE(std::regex_match(report.str(), whole)) << report.str();
  EXPECT_EQ(term.Screen(), std::string(45, '\n')) << "the screen shows nothing of it";
  EXPECT_EQ(before.c_lflag, term.Modes().c_lflag);
}

std::string Shell(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  pclose(pipe);
  return output;
}

TEST(Play, ReportAddressesNameTheCallChain) {
  TempFolder picture_only;
  picture_only.Write("player_up.txt", "^\n");
  struct Case { TempFolder* folder; std::vector<const char*> routines; } cases[] = {
      {nullptr, {"LoadFromFile", "AddFrame", "MainProgram"}},
      {&picture_only, {"LoadFromFile", "AddFrame", "CreateEnemies", "MainProgram"}},
  };
  for (auto& c : cases) {
    TempFolder empty;
    TempFolder& folder = c.folder != nullptr ? *c.folder : empty;
    std::string output = Shell("cd " + folder.Path() + " && " + Game + " </dev/null; echo status $?");
    SCOPED_TRACE(output);
    EXPECT_NE(output.find("status 217"), std::string::npos);
    // The raise address, then every caller.
    std::vector<std::string> addresses;
    std::regex line("  \\$([0-9A-F]{8})\r\n");
    for (auto it = std::sregex_iterator(output.begin(), output.end(), line); it != std::sregex_iterator(); ++it)
      addresses.push_back((*it)[1]);
    ASSERT_EQ(addresses.size(), c.routines.size());
    for (size_t i = 0; i < addresses.size(); ++i) {
      char before[32];
      std::snprintf(before, sizeof before, "0x%lx", std::stoul(addresses[i], nullptr, 16) - 1);
      std::string names = Shell("addr2line -f -e " + Game + " " + before + " | head -n 1");
      EXPECT_NE(names.find(c.routines[i]), std::string::npos) << i << ": " << names;
    }
  }
}

}  // namespace
