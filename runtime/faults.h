// Processor faults (SIGSEGV, SIGBUS, SIGILL, SIGFPE) become run-time errors
// with the faulting instruction's address and the faulting routine's frame.
// The handler runs on a stack of its own, so a stack overflow (202) is
// reported like any other fault.
#pragma once

#include <cstdint>
#include <csignal>

namespace rt {

void InstallFaultHandler();

// The run-time error number of a fault; exposed for its table test.
uint16_t RunErrorOfFault(int signal_number, int code, bool near_stack_pointer);

// True while the run-time is ending the program from inside a fault
// handler: shut-down steps that are not async-signal-safe are skipped.
extern volatile sig_atomic_t InFaultHandler;

}  // namespace rt
