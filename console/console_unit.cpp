#include "console/console_unit.h"

#include <unistd.h>

#include "console/crt.h"
#include "console/terminal_console.h"
#include "console/terminal_modes.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace con {

namespace {

TerminalConsole* terminal = nullptr;

void FinishTerminal() {
  if (terminal != nullptr) terminal->Finish();
}

void StartConsole() {
  static TerminalConsole console(STDIN_FILENO, STDOUT_FILENO);
  console.Start();
  terminal = &console;
  CrtStartUp(console);
  rt::SetBeforeReport(FinishTerminal);
#if defined(__SANITIZE_ADDRESS__)
  // A sanitizer's report ends the process its own way; the terminal comes back first.
  __sanitizer_set_death_callback(RestoreTerminal);
#endif
}

}  // namespace

const rt::Unit ConsoleUnit = {"Crt", StartConsole, FinishTerminal, true};

}  // namespace con
