#include "console/console_unit.h"

#include <unistd.h>

#include "console/crt.h"
#include "console/terminal_console.h"

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
}

}  // namespace

const rt::Unit ConsoleUnit = {"Crt", StartConsole, FinishTerminal, true};

}  // namespace con
