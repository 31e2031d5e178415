#include "console/terminal_console.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "console/terminal_modes.h"

namespace con {

namespace {

volatile sig_atomic_t resized = 0;
volatile sig_atomic_t resumed = 0;

int64_t NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void SleepMs(uint32_t milliseconds) {
  timespec left{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

// The handler runs with its own signal blocked; raised again with the
// default action and unblocked, it takes effect at once.
void RaiseDefault(int signal_number) {
  signal(signal_number, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal_number);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal_number);
}

// Give the terminal back, then die of the signal as if we had no handler.
void OnEndingSignal(int signal_number) {
  RestoreTerminal();
  RaiseDefault(signal_number);
}

void OnSuspend(int) {
  int saved_errno = errno;
  RestoreTerminal();
  RaiseDefault(SIGTSTP);  // stops here until continued
  signal(SIGTSTP, OnSuspend);
  errno = saved_errno;
}

void OnContinue(int) {
  ReenterRawMode();
  resumed = 1;
}

void OnResize(int) { resized = 1; }

void InstallSignalHandlers() {
  struct sigaction action{};
  sigemptyset(&action.sa_mask);
  action.sa_handler = OnEndingSignal;
  for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT}) sigaction(s, &action, nullptr);
  action.sa_handler = OnSuspend;
  sigaction(SIGTSTP, &action, nullptr);
  action.sa_handler = OnContinue;
  action.sa_flags = SA_RESTART;
  sigaction(SIGCONT, &action, nullptr);
  action.sa_handler = OnResize;
  sigaction(SIGWINCH, &action, nullptr);
}

bool TerminalSize(int fd, int& columns, int& rows) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return false;
  columns = size.ws_col;
  rows = size.ws_row;
  return true;
}

}  // namespace

TerminalConsole::TerminalConsole(int input_fd, int output_fd)
    : input_fd_(input_fd), output_fd_(output_fd), sink_(output_fd) {}

void TerminalConsole::Start() {
  int columns = 80, rows = 24;
  bool output_is_terminal = isatty(output_fd_) == 1;
  if (output_is_terminal) {
    TerminalSize(output_fd_, columns, rows);
    screen_ = std::make_unique<MemoryConsole>(columns, rows, OwnAttribute);
    presenter_ = std::make_unique<Presenter>(columns, rows, OwnAttribute);
  }
  bool input_is_terminal = isatty(input_fd_) == 1;
  // Nothing may reach a redirected output, not even the restoring reset.
  int restore_fd = output_is_terminal ? output_fd_ : -1;
  if (input_is_terminal) EnterRawMode(input_fd_, restore_fd);
  else if (output_is_terminal) EnterRawMode(output_fd_, restore_fd);
  InstallSignalHandlers();
  if (output_is_terminal && input_is_terminal) AwaitStartupReplies();
}

// Asks for synchronized-update support and the cursor's place; keys typed
// meanwhile are kept.
void TerminalConsole::AwaitStartupReplies() {
  static constexpr char Queries[] = "\x1b[?2026$p\x1b[6n";
  sink_.Append(Queries);
  sink_.Flush();
  decoder_.ExpectCursorReport();
  int64_t deadline = NowMs() + 500;
  int row, column;
  while (!decoder_.CursorReported(row, column)) {
    int64_t left = deadline - NowMs();
    if (left <= 0) break;
    pollfd ready{input_fd_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left)) <= 0) continue;
    Pump();
    if (!input_open_) break;
  }
  decoder_.ExpectCursorReport(false);  // a late answer would look like Shift+F3
  if (decoder_.CursorReported(row, column) && row >= 1 && column >= 1 && row <= screen_->Height() &&
      column <= screen_->Width()) {
    screen_->SetCursorPosition(Coord{static_cast<int16_t>(column - 1), static_cast<int16_t>(row - 1)});
    presenter_->SetCursorKnown(column - 1, row - 1);
  }
  int sync = decoder_.SyncUpdateState();
  presenter_->SetSynchronizedUpdate(sync == 1 || sync == 2);
}

void TerminalConsole::HandleSignalsSeen() {
  if (!presenter_) return;
  if (resized) {
    resized = 0;
    int columns, rows;
    if (TerminalSize(output_fd_, columns, rows)) presenter_->SetTerminalSize(columns, rows);
    presenter_->Forget();
  }
  if (resumed) {
    resumed = 0;
    presenter_->Forget();
  }
}

void TerminalConsole::Present() {
  if (!screen_) return;
  HandleSignalsSeen();
  presenter_->Present(*screen_, sink_);
}

void TerminalConsole::Finish() {
  Present();
  RestoreTerminal();
}

void TerminalConsole::GetScreenBufferInfo(ScreenBufferInfo& info) {
  if (screen_) screen_->GetScreenBufferInfo(info);
}
void TerminalConsole::SetCursorPosition(Coord position) {
  if (screen_) screen_->SetCursorPosition(position);
}
void TerminalConsole::FillAttribute(uint16_t attribute, uint32_t length, Coord start) {
  if (screen_) screen_->FillAttribute(attribute, length, start);
}
void TerminalConsole::FillCharacter(uint8_t character, uint32_t length, Coord start) {
  if (screen_) screen_->FillCharacter(character, length, start);
}
void TerminalConsole::WriteCharacter(uint8_t character, Coord at) {
  if (screen_) screen_->WriteCharacter(character, at);
}
void TerminalConsole::WriteAttribute(uint16_t attribute, Coord at) {
  if (screen_) screen_->WriteAttribute(attribute, at);
}
void TerminalConsole::Scroll(SmallRect source, SmallRect clip, Coord destination, CharInfo fill) {
  if (screen_) screen_->Scroll(source, clip, destination, fill);
}

void TerminalConsole::Pump() {
  char bytes[256];
  while (input_open_) {
    pollfd ready{input_fd_, POLLIN, 0};
    if (poll(&ready, 1, 0) <= 0) break;
    // Bytes after a pause start afresh: what was held before them is complete.
    if (decoder_.Pending() && NowMs() - last_byte_ms_ >= EscapeWaitMs) decoder_.Timeout(decoded_);
    ssize_t n = read(input_fd_, bytes, sizeof bytes);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) {
      // The input ended: whatever it held last is complete.
      input_open_ = false;
      decoder_.Timeout(decoded_);
      break;
    }
    last_byte_ms_ = NowMs();
    for (ssize_t i = 0; i < n; ++i) decoder_.Add(static_cast<uint8_t>(bytes[i]), decoded_);
  }
  if (decoder_.Pending() && NowMs() - last_byte_ms_ >= EscapeWaitMs) decoder_.Timeout(decoded_);
  queue_.insert(queue_.end(), decoded_.begin(), decoded_.end());
  decoded_.clear();
}

uint32_t TerminalConsole::GetNumberOfInputEvents() {
  Pump();
  return static_cast<uint32_t>(queue_.size());
}

bool TerminalConsole::ReadInput(InputRecord& record) {
  if (queue_.empty()) return false;
  record = queue_.front();
  queue_.pop_front();
  return true;
}

// Input is read as it arrives while the program sleeps, so a lone Escape is
// told from the start of a sequence by when its bytes came, not by which
// tick happened to read them.
void TerminalConsole::Sleep(uint32_t milliseconds) {
  Present();
  int64_t deadline = NowMs() + milliseconds;
  for (;;) {
    int64_t left = deadline - NowMs();
    if (left <= 0) return;
    if (!input_open_) {
      SleepMs(static_cast<uint32_t>(left));
      return;
    }
    pollfd ready{input_fd_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left)) > 0) Pump();
  }
}

}  // namespace con
