// Whole fatal reports and exit statuses, from a small program on the
// run-time run as a child with its standard output in a file.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

struct ProbeRun {
  int Status;
  std::string Output;
};

enum class Output { File, Closed };

ProbeRun RunProbe(const std::string& mode, rlim_t address_space = 0, Output output = Output::File) {
  char path[] = "/tmp/report_test_XXXXXX";
  int out = mkstemp(path);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out, STDOUT_FILENO);
    if (output == Output::Closed) close(STDOUT_FILENO);
    int null = open("/dev/null", O_RDONLY);
    dup2(null, STDIN_FILENO);
    if (address_space != 0) {
      rlimit limit{address_space, address_space};
      setrlimit(RLIMIT_AS, &limit);
    }
    execl(FATAL_PROBE, FATAL_PROBE, mode.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  close(out);
  unlink(path);
  return ProbeRun{WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), text.str()};
}

// The unhandled-exception report, line by line, each ended by CR LF.
std::regex ReportOf(const std::string& class_and_message, int callers) {
  std::string pattern = "An unhandled exception occurred at \\$([0-9A-F]{8}) :\r\n" + class_and_message +
                        "\r\n  \\$\\1\r\n(  \\$[0-9A-F]{8}\r\n){" + std::to_string(callers) + "}\r\n";
  return std::regex(pattern);
}

bool UnderAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#else
  return false;
#endif
}

TEST(FatalReport, ReportsAndExitStatuses) {
  struct Case { const char* mode; const char* class_and_message; int callers; } cases[] = {
      {"missing1", "EInOutError : File not found", 1},
      {"missing2", "EInOutError : File not found", 2},
      {"missing3", "EInOutError : File not found", 3},
      {"folder", "EInOutError : Invalid filename", 1},
      {"directory", "EInOutError : Access denied", 1},
      {"main", "ERangeError : Range check error", 0},
      {"index", "ERangeError : Range check error", 0},
      {"overflow", "EIntOverflow : Arithmetic overflow", 0},
      {"error7", "Exception : Unknown Run-Time error : 007", 0},
      {"deep", "EInOutError : File not found", 16},
      {"fault", "EAccessViolation : Access violation", 1},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.mode);
    ProbeRun run = RunProbe(c.mode);
    EXPECT_EQ(run.Status, 217);
    EXPECT_TRUE(std::regex_match(run.Output, ReportOf(c.class_and_message, c.callers))) << run.Output;
  }
}

TEST(FatalReport, StackOverflowIsCaughtOnItsOwnStack) {
  if (UnderAddressSanitizer()) GTEST_SKIP() << "AddressSanitizer owns stack overflows";
  ProbeRun run = RunProbe("stack");
  EXPECT_EQ(run.Status, 217);
  EXPECT_TRUE(std::regex_match(run.Output, ReportOf("Exception : Unknown Run-Time error : 202", 16))) << run.Output;
}

TEST(FatalReport, HeapExhaustionRaisesOutOfMemory) {
  if (UnderAddressSanitizer()) GTEST_SKIP() << "AddressSanitizer cannot start under an address-space limit";
  ProbeRun run = RunProbe("heap", 256u << 20);
  EXPECT_EQ(run.Status, 217);
  EXPECT_TRUE(std::regex_match(run.Output, ReportOf("EOutOfMemory : Out of memory", 0))) << run.Output;
}

TEST(FatalReport, AReportThatCannotBeWrittenStillEndsWith217) {
  EXPECT_EQ(RunProbe("missing2", 0, Output::Closed).Status, 217);
}

TEST(FatalReport, OrderlyEndsWriteNothing) {
  for (const char* mode : {"ok", "halt"}) {
    ProbeRun run = RunProbe(mode);
    EXPECT_EQ(run.Status, 0) << mode;
    EXPECT_EQ(run.Output, "") << mode;
  }
}

TEST(FatalReport, BeforeTheExceptionLayerTheFallbackReport) {
  ProbeRun run = RunProbe("fallback");
  EXPECT_EQ(run.Status, 2);
  // The walk goes on past the main program into the start-up code.
  std::regex fallback("Runtime error 2 at \\$([0-9A-F]{8})\r\n  \\$\\1\r\n(  \\$[0-9A-F]{8}\r\n){2}\r\n");
  EXPECT_TRUE(std::regex_match(run.Output, fallback)) << run.Output;
}

}  // namespace
