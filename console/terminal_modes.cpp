#include "console/terminal_modes.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>

namespace con {

namespace {

termios saved_modes;
int modes_fd = -1;
int restore_output_fd = -1;
volatile sig_atomic_t raw_active = 0;

void ApplyRaw() {
  termios raw = saved_modes;
  raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | IGNCR | ISTRIP);
  raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN);
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(modes_fd, TCSADRAIN, &raw) == 0) raw_active = 1;
}

}  // namespace

bool EnterRawMode(int tty_fd, int output_fd) {
  if (tcgetattr(tty_fd, &saved_modes) != 0) return false;
  modes_fd = tty_fd;
  restore_output_fd = output_fd;
  ApplyRaw();
  return raw_active != 0;
}

void ReenterRawMode() {
  if (modes_fd >= 0) ApplyRaw();
}

void RestoreTerminal() {
  if (!raw_active) return;
  raw_active = 0;
  // Close a frame a signal may have cut short, and give the colours back.
  static constexpr char Reset[] = "\x1b[?2026l\x1b[0m";
  if (restore_output_fd >= 0) {
    ssize_t ignored = write(restore_output_fd, Reset, sizeof Reset - 1);
    (void)ignored;
  }
  tcsetattr(modes_fd, TCSADRAIN, &saved_modes);
}

}  // namespace con
