#include "runtime/exceptions.h"

#include <cstring>

#include "runtime/guards.h"
#include "runtime/report.h"
#include "runtime/run_error.h"
#include "runtime/stack_walk.h"
#include "runtime/text_out.h"

namespace rt {

TException* OutOfMemory = nullptr;

namespace {

constexpr RunErrorClass Translation[] = {
    {1, "EOutOfMemory", "Out of memory"},
    {203, "EOutOfMemory", "Out of memory"},
    {2, "EInOutError", "File not found"},
    {3, "EInOutError", "Invalid filename"},
    {4, "EInOutError", "Too many open files"},
    {5, "EInOutError", "Access denied"},
    {6, "EInOutError", "Invalid file handle"},
    {100, "EInOutError", "Read past end of file"},
    {101, "EInOutError", "Disk Full"},
    {102, "EInOutError", "File not assigned"},
    {103, "EInOutError", "File not open"},
    {105, "EInOutError", "File not open for output"},
    {106, "EInOutError", "Invalid input"},
    {200, "EDivByZero", "Division by zero"},
    {201, "ERangeError", "Range check error"},
    {205, "EOverflow", "Floating point overflow"},
    {206, "EOverflow", "Floating point underflow"},
    {207, "EInvalidOp", "Invalid floating point operation"},
    {215, "EIntOverflow", "Arithmetic overflow"},
    {216, "EAccessViolation", "Access violation"},
    {217, "EControlC", "Control-C hit"},
    {218, "EPrivilege", "Privileged instruction"},
};

TException raised_object;
RaisedException raised;
TException out_of_memory_object;  // OutOfMemory's storage, no heap needed

using ExceptProcType = void (*)(const RaisedException&);
ExceptProcType ExceptProc = nullptr;

// "%3.3d": at least three digits, zero-padded.
void FormatUnknown(uint16_t number, char (&message)[48]) {
  static constexpr char Prefix[] = "Unknown Run-Time error : ";
  std::memcpy(message, Prefix, sizeof Prefix);
  char digits[6];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0 || n < 3);
  size_t at = sizeof Prefix - 1;
  while (n > 0) message[at++] = digits[--n];
  message[at] = '\0';
}

[[noreturn]] void RaiseAt(TException* object, void* address, void* frame) {
  // A failure while the first one is reported ends the run without a second report.
  if (raised.Object != nullptr) Halt(217);
  raised.Object = object;
  raised.Address = address;
  raised.FrameCount = WalkCallers(frame, raised.Frames, RaiseMaxFrameCount, WalkEnd::AtMainProgram);
  // Nothing handles exceptions, so the unhandled path runs at once.
  if (ExceptProc != nullptr) ExceptProc(raised);
  Halt(217);
}

void StartExceptions() {
  out_of_memory_object = TException{"EOutOfMemory", "Out of memory", 0};
  OutOfMemory = &out_of_memory_object;
  ExceptProc = CatchUnhandledException;
  ErrorProc = RunErrorToExcept;
}

void ShutdownExceptions() {
  ErrorProc = nullptr;
  ExceptProc = nullptr;
  OutOfMemory = nullptr;
}

}  // namespace

const Unit ExceptionUnit = {"Exceptions", StartExceptions, ShutdownExceptions, true};

RunErrorClass ClassOfRunError(uint16_t number, char (&message)[48]) {
  for (const RunErrorClass& row : Translation) {
    if (row.Number != number) continue;
    std::strncpy(message, row.Message, sizeof message - 1);
    return row;
  }
  FormatUnknown(number, message);
  return {number, "Exception", message};
}

void RunErrorToExcept(uint16_t number, void* address, void* frame) {
  TException* object;
  if ((number == 1 || number == 203) && OutOfMemory != nullptr) {
    object = OutOfMemory;
  } else {
    raised_object = TException{};
    RunErrorClass row = ClassOfRunError(number, raised_object.Message);
    raised_object.ClassName = row.ClassName;
    if (std::strcmp(row.ClassName, "EInOutError") == 0) {
      raised_object.ErrorCode = number;
      InOutRes = 0;
    }
    object = &raised_object;
  }
  RaiseAt(object, address, frame);
}

void CatchUnhandledException(const RaisedException& exception) {
  BeforeReport();
  // Each line is one statement; a failed line drops the rest of the report.
  Put(StdOut, "An unhandled exception occurred at ");
  PutAddress(StdOut, exception.Address);
  Put(StdOut, " :");
  if (EndReportLine()) {
    Put(StdOut, exception.Object->ClassName);
    Put(StdOut, " : ");
    Put(StdOut, exception.Object->Message);
    if (EndReportLine() && WriteAddressLines(&exception.Address, 1) &&
        WriteAddressLines(exception.Frames, exception.FrameCount))
      EndReportLine();
  }
  Halt(217);
}

}  // namespace rt
