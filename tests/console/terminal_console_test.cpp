// The console on a real terminal: a pseudo-terminal, read back through a
// terminal emulator.
#include <gtest/gtest.h>
#include <termios.h>

#include <csignal>

#include "tests/support/pty_terminal.h"

namespace {

const std::string Probe = CONSOLE_PROBE;

void ExpectModesRestored(const termios& before, const termios& after) {
  EXPECT_EQ(before.c_lflag, after.c_lflag);
  EXPECT_EQ(before.c_iflag, after.c_iflag);
  EXPECT_EQ(before.c_oflag, after.c_oflag);
  EXPECT_EQ(before.c_cc[VMIN], after.c_cc[VMIN]);
}

TEST(TerminalConsole, DrawsCellsAndColoursAndRestoresTheTerminal) {
  PtyTerminal term(40, 12);
  termios before = term.Modes();
  term.Start(Probe, {"frame"}, ".");
  ASSERT_TRUE(term.WaitForText("white"));
  EXPECT_EQ(term.Row(0).substr(0, 4), "red ");
  EXPECT_EQ(term.Foreground(0, 0), 1) << "red";
  EXPECT_EQ(term.Foreground(0, 1), 15) << "bright white";
  // Cell bytes never act as controls: ESC shows as a glyph, not a clear.
  EXPECT_EQ(term.Row(1).substr(0, 19), "white \u20AC\u263A\u2190[2J ");
  EXPECT_EQ(term.Modes().c_lflag & ECHO, 0u) << "raw while running";

  term.Type("\x1b[A");
  term.Type("x");
  ASSERT_TRUE(term.WaitForText("0 72 120"));
  term.Type("\x1b");
  ASSERT_TRUE(term.WaitForText("0 72 120 27")) << "a lone Escape arrives without more keys";
  term.Type("\x1b");
  term.Drain(100);
  term.Type("x");
  ASSERT_TRUE(term.WaitForText("0 72 120 27 27 120")) << "Escape, a pause, then x is not Alt+x";
  term.Type("\x1bx");
  ASSERT_TRUE(term.WaitForText("0 72 120 27 27 120 0 45")) << "Escape and x together are Alt+x";

  term.Type("q");
  EXPECT_EQ(term.WaitForExit(), 0);
  ExpectModesRestored(before, term.Modes());
}

TEST(TerminalConsole, IdenticalFramesSendAlmostNothing) {
  PtyTerminal term(80, 25);
  term.Start(Probe, {"frame"}, ".");
  ASSERT_TRUE(term.WaitForText("white"));
  term.Drain(200);
  size_t settled = term.Received().size();
  term.Drain(600);  // about ten more frames, each cleared and redrawn
  EXPECT_LT(term.Received().size() - settled, 16u);
  term.Type("q");
  EXPECT_EQ(term.WaitForExit(), 0);
}

TEST(TerminalConsole, ScrollsTheWindow) {
  PtyTerminal term(30, 6);
  term.Start(Probe, {"scroll"}, ".");
  ASSERT_TRUE(term.WaitForText("line 8"));
  EXPECT_EQ(term.Screen(), "line 4\nline 5\nline 6\nline 7\nline 8\n\n");
  int column, row;
  term.Cursor(column, row);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(row, 5);
  term.Type("q");
  EXPECT_EQ(term.WaitForExit(), 0);
}

TEST(TerminalConsole, AResizedTerminalIsRepaintedWithinItsNewSize) {
  PtyTerminal term(40, 12);
  term.Start(Probe, {"frame"}, ".");
  ASSERT_TRUE(term.WaitForText("white"));
  term.Type("x");
  ASSERT_TRUE(term.WaitForText("120"));
  term.Feed("\x1b[H\x1b[2Jleft over by the resize");
  term.Resize(3, 2);
  ASSERT_TRUE(term.WaitUntil([&] { return term.Screen() == "red\nwhi\n"; })) << term.Screen();
  term.Resize(40, 12);
  ASSERT_TRUE(term.WaitForText("120")) << "the window kept its bounds: " << term.Screen();
  term.Type("q");
  EXPECT_EQ(term.WaitForExit(), 0);
}

TEST(TerminalConsole, EndingSignalsRestoreTheTerminal) {
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
    SCOPED_TRACE(strsignal(signal_number));
    PtyTerminal term(40, 12);
    termios before = term.Modes();
    term.Start(Probe, {"frame"}, ".");
    ASSERT_TRUE(term.WaitForText("white"));
    term.Kill(signal_number);
    int died_of = 0;
    EXPECT_EQ(term.WaitForExit(5000, &died_of), -1);
    EXPECT_EQ(died_of, signal_number);
    ExpectModesRestored(before, term.Modes());
  }
}

TEST(TerminalConsole, CtrlZSuspendsWithTheTerminalRestoredAndResumesWithARepaint) {
  PtyTerminal term(40, 12);
  termios before = term.Modes();
  term.Start(Probe, {"frame"}, ".", PtyTerminal::Session::Job);
  ASSERT_TRUE(term.WaitForText("white"));
  term.Type("\x1a");
  ASSERT_TRUE(term.WaitUntil([&] { return term.Stopped(); }));
  ExpectModesRestored(before, term.Modes());

  term.ClearScreen();
  kill(-term.ForegroundGroup(), SIGCONT);
  ASSERT_TRUE(term.WaitForText("white")) << "repainted in full";
  EXPECT_EQ(term.Row(0).substr(0, 4), "red ");
  EXPECT_EQ(term.Modes().c_lflag & ECHO, 0u) << "raw again";
  term.Type("q");
  EXPECT_EQ(term.WaitForExit(), 0);
  ExpectModesRestored(before, term.Modes());
}

TEST(TerminalConsole, FaultReportFollowsTheLastFrame) {
  PtyTerminal term(60, 12);
  termios before = term.Modes();
  term.Start(Probe, {"frame"}, ".");
  ASSERT_TRUE(term.WaitForText("white"));
  term.Type("k");
  ASSERT_TRUE(term.WaitForText("107"));
  term.Type("f");
  EXPECT_EQ(term.WaitForExit(), 217);
  EXPECT_EQ(term.Row(3).substr(0, 4), "107 ") << "the last frame stays";
  EXPECT_NE(term.Screen().find("EAccessViolation : Access violation"), std::string::npos) << term.Screen();
  EXPECT_EQ(term.Foreground(0, 4), -1) << "the report is in the terminal's own colours";
  ExpectModesRestored(before, term.Modes());
}

}  // namespace
