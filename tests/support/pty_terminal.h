// A program running in a pseudo-terminal, watched through a real terminal
// emulator (libvterm): what a person would see, and what the program sent.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/virtual_screen.h"

class PtyTerminal {
 public:
  PtyTerminal(int columns, int rows);
  ~PtyTerminal();

  enum class Session {
    Leader,  // the program leads the terminal's session
    Job,     // a shell-like parent leads it and the program runs as its job
  };
  // Starts `program` in `directory` with the terminal as its standard
  // input, output and error. As a job, Ctrl+Z can stop it, as in a shell
  // (a session leader's own group is orphaned and ignores it).
  void Start(const std::string& program, const std::vector<std::string>& args, const std::string& directory,
             Session session = Session::Leader);
  void Type(std::string_view bytes);
  // Feeds the emulator what the program sends until `ready()` or the time is up.
  bool WaitUntil(const std::function<bool()>& ready, int milliseconds = 5000);
  bool WaitForText(std::string_view text, int milliseconds = 5000);
  // Reads for a while, whatever comes.
  void Drain(int milliseconds);
  // The exit status, or -1 for a signal or a time-out; `signal` gets the signal.
  int WaitForExit(int milliseconds = 5000, int* signal = nullptr);
  void Kill(int signal_number);
  // The terminal changes size, as a window resized by hand.
  void Resize(int columns, int rows);
  // The terminal's foreground process group: the program.
  pid_t ForegroundGroup() const;
  // Whether the program is stopped.
  bool Stopped() const;
  // Forgets what the emulator shows, as a shell's output would overwrite it.
  void ClearScreen() { screen_.Feed("\x1b[H\x1b[2J"); }
  // Shows bytes on the emulator as if another program had written them.
  void Feed(std::string_view bytes) { screen_.Feed(bytes); }

  std::string Row(int row) const { return screen_.Row(row); }
  std::string Screen() const { return screen_.Screen(); }
  int Foreground(int column, int row) const { return screen_.Foreground(column, row); }
  void Cursor(int& column, int& row) const { screen_.Cursor(column, row); }
  const std::string& Received() const { return received_; }
  // The modes the program leaves on the terminal.
  termios Modes() const;

 private:
  bool Pump(int milliseconds);

  int master_ = -1, slave_ = -1;
  pid_t pid_ = -1;
  VirtualScreen screen_;
  std::string received_;
};
