// A small program on the run-time alone, ended in the way its argument
// names, so the tests can check whole reports and exit statuses.
#include <cstdint>
#include <cstring>

#include "runtime/checked_int.h"
#include "runtime/dyn_array.h"
#include "runtime/exceptions.h"
#include "runtime/guards.h"
#include "runtime/program.h"
#include "runtime/run_error.h"
#include "runtime/stack_walk.h"
#include "runtime/text_file.h"

using namespace rt;

namespace {

const char* mode = "";
volatile int depth_sink = 0;

void Load(const char* name) {
  TextFile file;
  Assign(file, name);
  Reset(file);
  IOCheck();
  Close(file);
  IOCheck();
}

void Loader(const char* name) { Load(name); }
void OuterLoader(const char* name) { Loader(name); }
void Nest(int depth) {
  if (depth == 0) Load("no such picture.txt");
  else Nest(depth - 1);
  depth_sink = depth_sink + 1;  // keeps this call from being a tail call
}

volatile uintptr_t unmapped_address = 16;

[[gnu::noinline]] void Settle() { depth_sink = depth_sink + 1; }

// Faults once its frame is surely set up (after a call), so its caller is
// listed in every build.
[[gnu::noinline]] void Fault() {
  Settle();
  *reinterpret_cast<volatile int*>(unmapped_address) = 1;
  Settle();
}

// Runs until the stack is gone; the flag only hides that from the compiler.
[[gnu::noinline]] int Recurse(int n) {
  volatile char pad[1024];
  pad[0] = static_cast<char>(n);
  if (depth_sink < 0) return pad[0];
  return Recurse(n + 1) + pad[0];
}

void MainProgram() {
  if (std::strcmp(mode, "ok") == 0) return;
  if (std::strcmp(mode, "halt") == 0) Halt(0);
  if (std::strcmp(mode, "missing2") == 0) Loader("no such picture.txt");
  if (std::strcmp(mode, "missing3") == 0) OuterLoader("no such picture.txt");
  if (std::strcmp(mode, "missing1") == 0) Load("no such picture.txt");
  if (std::strcmp(mode, "folder") == 0) Load("no such folder/picture.txt");
  if (std::strcmp(mode, "directory") == 0) Load(".");
  if (std::strcmp(mode, "deep") == 0) Nest(20);
  if (std::strcmp(mode, "main") == 0) {
    Int16 x = 32767;
    x = x + depth_sink + 1;
  }
  if (std::strcmp(mode, "overflow") == 0) {
    Int32 big = 2147483647;
    big = big + (depth_sink + 1);
  }
  if (std::strcmp(mode, "index") == 0) {
    DynArray<Int16> items;
    items.SetLength(3);
    items[3 + depth_sink] = 1;
  }
  if (std::strcmp(mode, "error7") == 0) RunError(7, __builtin_return_address(0), CallerFrame());
  if (std::strcmp(mode, "fault") == 0) Fault();
  if (std::strcmp(mode, "stack") == 0) depth_sink = Recurse(0);
  if (std::strcmp(mode, "heap") == 0) {
    // One record more at a time, as the pictures grow, until the heap is gone.
    struct Block { char Bytes[1 << 16]; };
    DynArray<Block> blocks;
    for (;;) blocks.SetLength(blocks.Length() * 2 + 1);
  }
}

void StartNothing() {}

void FallbackMain() { Load("no such picture.txt"); }

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) mode = argv[1];
  if (std::strcmp(mode, "fallback") == 0) {
    // No exception layer: the error takes the fallback path.
    RunProgram({}, FallbackMain);
  }
  RunProgram({ExceptionUnit, {"Probe", StartNothing, nullptr}}, MainProgram);
}
