#include "runtime/program.h"

#include <csignal>
#include <new>

#include <unistd.h>

#include "runtime/faults.h"
#include "runtime/guards.h"
#include "runtime/report.h"
#include "runtime/run_error.h"
#include "runtime/stack_walk.h"
#include "runtime/text_out.h"

namespace rt {

namespace {

constexpr int MaxUnits = 16;

struct StartedUnit {
  void (*Shutdown)();
  bool SignalSafe;
};

StartedUnit started_units[MaxUnits];
int started_count = 0;
int exit_status = 0;
void (*before_report)() = nullptr;

// Allocation outside the dynamic arrays ends the same way as theirs.
void OutOfHeap() { RunError(203, __builtin_return_address(0), CallerFrame()); }

void StartCoreRunTime() {
  InstallFaultHandler();
  std::set_new_handler(OutOfHeap);
  // A closed pipe on standard output is a failed write, not a silent death.
  signal(SIGPIPE, SIG_IGN);
  OpenStdOut();
  InOutRes = 0;
}

[[noreturn]] void ExitSequence() {
  while (started_count > 0) {
    StartedUnit unit = started_units[--started_count];
    if (unit.Shutdown == nullptr) continue;
    if (InFaultHandler && !unit.SignalSafe) continue;
    unit.Shutdown();
  }
  if (ErrorAddr != nullptr) {
    BeforeReport();
    void* address = ErrorAddr;
    ErrorAddr = nullptr;
    WriteFallbackReport(ErrorCode, address, ErrorFrame);
  }
  InOutRes = 0;
  FlushStream(StdOut);
  _exit(exit_status);
}

}  // namespace

void SetBeforeReport(void (*hook)()) { before_report = hook; }

void BeforeReport() {
  void (*hook)() = before_report;
  before_report = nullptr;
  if (hook != nullptr) hook();
}

void Halt(uint8_t code) {
  exit_status = code;
  ExitSequence();
}

void RunProgram(std::initializer_list<Unit> units, void (*main_program)()) {
  StartupFrame = __builtin_frame_address(0);
  StartCoreRunTime();
  for (const Unit& unit : units) {
    unit.Start();
    if (started_count < MaxUnits) started_units[started_count++] = {unit.Shutdown, unit.ShutdownIsSignalSafe};
  }
  main_program();
  ExitSequence();
}

}  // namespace rt
