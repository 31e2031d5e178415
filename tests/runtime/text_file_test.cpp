#include "runtime/text_file.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "runtime/guards.h"
#include "tests/support/temp_files.h"

namespace rt {
namespace {

// The lines as the picture loader reads them, with the result after each step.
std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  TextFile file;
  ShortString line;
  Assign(file, ShortString(path));
  Reset(file);
  EXPECT_EQ(InOutRes, 0);
  while (!Eof(file)) {
    Read(file, line);
    ReadLn(file);
    lines.emplace_back(line.View());
  }
  Close(file);
  EXPECT_EQ(InOutRes, 0);
  return lines;
}

TEST(TextFile, LinesAsTheLoaderSeesThem) {
  std::string long_line(300, 'x');
  struct Case { const char* name; std::string content; std::vector<std::string> lines; } cases[] = {
      {"empty file", "", {}},
      {"one line without an end", "AB", {"AB"}},
      {"a final line end adds no row", "AB\n", {"AB"}},
      {"empty first line", "\nx", {"", "x"}},
      {"trailing spaces count", "x  \n", {"x  "}},
      {"LF", "ab\ncd\n", {"ab", "cd"}},
      {"CR LF", "ab\r\ncd\r\n", {"ab", "cd"}},
      {"lone CR", "ab\rcd\r", {"ab", "cd"}},
      {"LF CR is two ends", "ab\n\rcd", {"ab", "", "cd"}},
      {"300 characters keep 255", long_line + "\nnext", {std::string(255, 'x'), "next"}},
      {"Ctrl-Z ends the file", "first\nsec\x1aond\nthird", {"first", "sec"}},
      {"tabs and zero bytes are cells", std::string("a\tb\0c", 5), {std::string("a\tb\0c", 5)}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = TempFileWith(c.content);
    EXPECT_EQ(ReadLines(path), c.lines);
    unlink(path.c_str());
  }
}

TEST(TextFile, FailuresLeaveTheirResultAndStopLaterOperations) {
  struct Case { const char* name; std::string path; uint16_t result; } cases[] = {
      {"missing file", "/tmp/surely/not/here.txt", 3},
      {"missing file in a folder that exists", "/tmp/surely-not-here.txt", 2},
      {"a directory", "/tmp", 5},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    TextFile file;
    ShortString line;
    Assign(file, ShortString(c.path));
    Reset(file);
    EXPECT_EQ(InOutRes, c.result);
    EXPECT_TRUE(Eof(file)) << "end-of-file answers true while a result is pending";
    Read(file, line);
    EXPECT_EQ(InOutRes, c.result) << "later operations do nothing";
    InOutRes = 0;
  }
  TextFile never_opened;
  Close(never_opened);
  EXPECT_EQ(InOutRes, 103);
  InOutRes = 0;
}

TEST(TextFile, AFileHeldByAnotherProgramIsAccessDenied) {
  std::string path = TempFileWith("x");
  int holder = open(path.c_str(), O_RDONLY);
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  TextFile file;
  Assign(file, ShortString(path));
  Reset(file);
  EXPECT_EQ(InOutRes, 5);
  InOutRes = 0;
  close(holder);
  unlink(path.c_str());
}

TEST(TextFile, AClosedPipeIsTheEndOfTheFile) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(write(ends[1], "pipe\n", 5), 5);
  close(ends[1]);
  std::string path = "/proc/self/fd/" + std::to_string(ends[0]);
  EXPECT_EQ(ReadLines(path), std::vector<std::string>{"pipe"});
  close(ends[0]);
}

}  // namespace
}  // namespace rt
