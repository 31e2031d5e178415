// The terminal's modes as the program found them, and the one way back.
//
// RestoreTerminal is idempotent and async-signal-safe (write and tcsetattr
// only), so every way out calls it: the exit sequence, the report path, the
// signal handlers.
#pragma once

namespace con {

// Saves the modes of `tty_fd` and enters raw input: no echo, no line
// editing, reads that never wait. Ctrl+C and Ctrl+Z keep their signals.
bool EnterRawMode(int tty_fd, int output_fd);
// Raw mode again after a suspension; the saved modes stay.
void ReenterRawMode();
void RestoreTerminal();

}  // namespace con
