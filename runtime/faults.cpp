#include "runtime/faults.h"

#include <ucontext.h>
#include <unistd.h>

#include <cstdint>
#include <initializer_list>

#include "runtime/run_error.h"

namespace rt {

volatile sig_atomic_t InFaultHandler = 0;

namespace {

// Room for the report path, which keeps everything on this stack.
alignas(16) char fault_stack[128 * 1024];

// A fault this close below the stack pointer is the stack running out.
constexpr uintptr_t StackOverflowReach = 64 * 1024;

void OnFault(int signal_number, siginfo_t* info, void* context) {
  // A fault while ending the program cannot be reported a second time.
  if (InFaultHandler) _exit(217);
  InFaultHandler = 1;
  auto* uc = static_cast<ucontext_t*>(context);
#if defined(__x86_64__)
  auto* address = reinterpret_cast<void*>(uc->uc_mcontext.gregs[REG_RIP]);
  auto* frame = reinterpret_cast<void*>(uc->uc_mcontext.gregs[REG_RBP]);
  auto stack_pointer = static_cast<uintptr_t>(uc->uc_mcontext.gregs[REG_RSP]);
#else
  (void)uc;
  void* address = nullptr;
  void* frame = nullptr;
  uintptr_t stack_pointer = 0;
#endif
  auto fault_address = reinterpret_cast<uintptr_t>(info->si_addr);
  bool near_stack_pointer = fault_address < stack_pointer + 4096 &&
                            fault_address + StackOverflowReach > stack_pointer;
  RunError(RunErrorOfFault(signal_number, info->si_code, near_stack_pointer), address, frame);
}

}  // namespace

uint16_t RunErrorOfFault(int signal_number, int code, bool near_stack_pointer) {
  switch (signal_number) {
    case SIGSEGV: return near_stack_pointer ? 202 : 216;
    case SIGBUS:
    case SIGILL: return 216;
    case SIGFPE:
      switch (code) {
        case FPE_INTDIV:
        case FPE_FLTDIV: return 200;
        case FPE_INTOVF: return 215;
        case FPE_FLTOVF: return 205;
        case FPE_FLTUND: return 206;
        case FPE_FLTRES:
        case FPE_FLTINV:
        case FPE_FLTSUB: return 207;
        default: return 255;
      }
    default: return 255;
  }
}

void InstallFaultHandler() {
  stack_t alternate{};
  alternate.ss_sp = fault_stack;
  alternate.ss_size = sizeof fault_stack;
  sigaltstack(&alternate, nullptr);

  struct sigaction action{};
  action.sa_sigaction = OnFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGSEGV, SIGBUS, SIGILL, SIGFPE}) sigaction(signal_number, &action, nullptr);
}

}  // namespace rt
