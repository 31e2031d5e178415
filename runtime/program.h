// Start-up, units and the exit sequence.
//
// A program is a list of units started in order and a main program. Each
// unit may have a shut-down routine; the exit sequence runs those of the
// units whose start finished, in reverse order. Every end goes through the
// exit sequence: the main program's return, Halt, and every fatal error.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace rt {

struct Unit {
  const char* Name;
  void (*Start)();
  void (*Shutdown)();  // may be null
  // Whether Shutdown may run inside a fault handler; releasing heap memory
  // may not, and is left to the process's end there.
  bool ShutdownIsSignalSafe = false;
};

// Starts the core run-time, then each unit, then runs the main program and
// the exit sequence with status 0. Never returns.
[[noreturn]] void RunProgram(std::initializer_list<Unit> units, void (*main_program)());

// Sets the exit status and runs the exit sequence.
[[noreturn]] void Halt(uint8_t code);

// What must happen before a report reaches the user's terminal (the console
// puts its last frame on the screen and gives the terminal back). Run once.
void SetBeforeReport(void (*hook)());
void BeforeReport();

}  // namespace rt
