#include "tests/support/pty_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

namespace {

long long NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

// The emulator's answers to the program's queries go back to the program.
void AnswerProgram(const char* bytes, size_t length, void* user) {
  int master = *static_cast<int*>(user);
  ssize_t ignored = write(master, bytes, length);
  (void)ignored;
}

}  // namespace

PtyTerminal::PtyTerminal(int columns, int rows) : screen_(columns, rows) {
  winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
  if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) throw std::runtime_error("openpty");
  screen_.OnAnswer(AnswerProgram, &master_);
}

PtyTerminal::~PtyTerminal() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  close(master_);
  close(slave_);
}

void PtyTerminal::Start(const std::string& program, const std::vector<std::string>& args,
                        const std::string& directory, Session session) {
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    setsid();
    ioctl(slave_, TIOCSCTTY, 0);
    if (session == Session::Job) {
      // Like a shell: the program in a group of its own, in the foreground.
      pid_t job = fork();
      if (job > 0) {
        setpgid(job, job);
        tcsetpgrp(slave_, job);
        int status = 0;
        while (waitpid(job, &status, 0) < 0) {
        }
        if (WIFSIGNALED(status)) {
          signal(WTERMSIG(status), SIG_DFL);
          raise(WTERMSIG(status));
        }
        _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 255);
      }
      setpgid(0, 0);
      tcsetpgrp(slave_, getpid());
    }
    dup2(slave_, 0);
    dup2(slave_, 1);
    dup2(slave_, 2);
    close(master_);
    if (slave_ > 2) close(slave_);
    if (chdir(directory.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
}

void PtyTerminal::Type(std::string_view bytes) {
  ssize_t ignored = write(master_, bytes.data(), bytes.size());
  (void)ignored;
}

bool PtyTerminal::Pump(int milliseconds) {
  pollfd ready{master_, POLLIN, 0};
  if (poll(&ready, 1, milliseconds) <= 0) return false;
  char bytes[4096];
  ssize_t n = read(master_, bytes, sizeof bytes);
  if (n <= 0) return false;
  received_.append(bytes, static_cast<size_t>(n));
  screen_.Feed(std::string_view(bytes, static_cast<size_t>(n)));
  return true;
}

bool PtyTerminal::WaitUntil(const std::function<bool()>& ready, int milliseconds) {
  long long deadline = NowMs() + milliseconds;
  while (!ready()) {
    long long left = deadline - NowMs();
    if (left <= 0) return false;
    Pump(static_cast<int>(left < 20 ? left : 20));
  }
  return true;
}

bool PtyTerminal::WaitForText(std::string_view text, int milliseconds) {
  return WaitUntil([&] { return Screen().find(text) != std::string::npos; }, milliseconds);
}

void PtyTerminal::Drain(int milliseconds) {
  long long deadline = NowMs() + milliseconds;
  while (NowMs() < deadline) Pump(10);
}

int PtyTerminal::WaitForExit(int milliseconds, int* signal_number) {
  long long deadline = NowMs() + milliseconds;
  int status = 0;
  while (NowMs() < deadline) {
    Pump(10);
    pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      pid_ = -1;
      while (Pump(20)) {
      }
      if (signal_number != nullptr) *signal_number = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  return -1;
}

void PtyTerminal::Kill(int signal_number) { kill(pid_, signal_number); }

void PtyTerminal::Resize(int columns, int rows) {
  screen_.Resize(columns, rows);
  winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
  ioctl(master_, TIOCSWINSZ, &size);  // the program is sent SIGWINCH
}

pid_t PtyTerminal::ForegroundGroup() const { return tcgetpgrp(master_); }

bool PtyTerminal::Stopped() const {
  std::ifstream stat("/proc/" + std::to_string(ForegroundGroup()) + "/stat");
  std::string pid, name, state;
  stat >> pid >> name >> state;
  return state == "T";
}

termios PtyTerminal::Modes() const {
  termios modes{};
  tcgetattr(slave_, &modes);
  return modes;
}
