#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "runtime/exceptions.h"
#include "runtime/faults.h"
#include "runtime/io_result.h"
#include "runtime/report.h"
#include "runtime/text_out.h"

namespace rt {
namespace {

TEST(Translation, EveryRowAndTheUnknownOnes) {
  struct Case { uint16_t number; const char* class_name; const char* message; } cases[] = {
      {1, "EOutOfMemory", "Out of memory"},      {203, "EOutOfMemory", "Out of memory"},
      {2, "EInOutError", "File not found"},      {3, "EInOutError", "Invalid filename"},
      {4, "EInOutError", "Too many open files"}, {5, "EInOutError", "Access denied"},
      {6, "EInOutError", "Invalid file handle"}, {100, "EInOutError", "Read past end of file"},
      {101, "EInOutError", "Disk Full"},         {102, "EInOutError", "File not assigned"},
      {103, "EInOutError", "File not open"},     {105, "EInOutError", "File not open for output"},
      {106, "EInOutError", "Invalid input"},     {200, "EDivByZero", "Division by zero"},
      {201, "ERangeError", "Range check error"}, {205, "EOverflow", "Floating point overflow"},
      {206, "EOverflow", "Floating point underflow"},
      {207, "EInvalidOp", "Invalid floating point operation"},
      {215, "EIntOverflow", "Arithmetic overflow"}, {216, "EAccessViolation", "Access violation"},
      {217, "EControlC", "Control-C hit"},       {218, "EPrivilege", "Privileged instruction"},
      {7, "Exception", "Unknown Run-Time error : 007"},
      {15, "Exception", "Unknown Run-Time error : 015"},
      {104, "Exception", "Unknown Run-Time error : 104"},
      {202, "Exception", "Unknown Run-Time error : 202"},
      {1234, "Exception", "Unknown Run-Time error : 1234"},
      {0, "Exception", "Unknown Run-Time error : 000"},
  };
  for (auto& c : cases) {
    char message[48] = {};
    RunErrorClass row = ClassOfRunError(c.number, message);
    EXPECT_STREQ(row.ClassName, c.class_name) << c.number;
    EXPECT_STREQ(message, c.message) << c.number;
  }
}

TEST(IoResult, PlatformErrorsFoldByTheRule) {
  struct Case { uint32_t platform; uint16_t result; } cases[] = {
      {2, 2}, {5, 5}, {18, 18}, {19, 150}, {31, 162}, {32, 5}, {145, 5}, {183, 5}, {112, 112}, {33, 33},
  };
  for (auto c : cases) EXPECT_EQ(IoResultOfPlatformError(c.platform), c.result) << c.platform;
}

TEST(IoResult, PosixErrorsTakeThePlatformsNames) {
  struct Case { int error; uint16_t result; } cases[] = {
      {ENOENT, 2}, {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {EMFILE, 4}, {ENFILE, 4}, {EACCES, 5},
      {EPERM, 5},  {EISDIR, 5},  {EWOULDBLOCK, 5},  {EBADF, 6},  {ENOSPC, 112}, {EIO, 161},
  };
  for (auto c : cases) EXPECT_EQ(IoResultOfErrno(c.error), c.result) << strerror(c.error);
}

TEST(Faults, SignalsMapToRunTimeErrors) {
  struct Case { int signal_number, code; bool near_stack; uint16_t error; } cases[] = {
      {SIGSEGV, SEGV_MAPERR, false, 216}, {SIGSEGV, SEGV_MAPERR, true, 202}, {SIGBUS, 0, false, 216},
      {SIGILL, ILL_ILLOPC, false, 216},   {SIGFPE, FPE_INTDIV, false, 200},  {SIGFPE, FPE_INTOVF, false, 215},
      {SIGFPE, FPE_FLTDIV, false, 200},   {SIGFPE, FPE_FLTOVF, false, 205},  {SIGFPE, FPE_FLTUND, false, 206},
      {SIGFPE, FPE_FLTINV, false, 207},   {SIGFPE, FPE_FLTRES, false, 207},
  };
  for (auto c : cases)
    EXPECT_EQ(RunErrorOfFault(c.signal_number, c.code, c.near_stack), c.error) << c.signal_number << "/" << c.code;
}

TEST(Report, AddressesAreEightUpperCaseDigits) {
  struct Case { uintptr_t address; const char* text; } cases[] = {
      {0, "$00000000"}, {0x401a2f, "$00401A2F"}, {0xFFFFFFFF, "$FFFFFFFF"}, {0x7f0012345678, "$7F0012345678"},
  };
  for (auto c : cases) {
    TextOut stream;
    PutAddress(stream, reinterpret_cast<void*>(c.address));
    EXPECT_EQ(std::string(stream.Buffer, stream.Count), c.text);
  }
}

}  // namespace
}  // namespace rt
