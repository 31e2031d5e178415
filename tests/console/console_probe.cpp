// The console layer on the real terminal, driven the way a game drives it;
// the argument picks the scene.
//   frame   redraws one frame every 60 ms, shows the key bytes it read on
//           row 4, ends on 'q' (exit 0) or 'f' (a fault: report and 217)
//   scroll  writes more lines than the window holds, then waits for 'q'
#include <cstdint>
#include <cstring>
#include <string>

#include "console/console_unit.h"
#include "console/crt.h"
#include "runtime/exceptions.h"
#include "runtime/program.h"

using namespace con;

namespace {

const char* scene = "frame";
// Unmapped, and not null, which a sanitizer would stop at first.
volatile uintptr_t unmapped_address = 16;

void Frame() {
  std::string keys;
  for (;;) {
    ClrScr();
    TextColor(4);
    Write("red");
    TextColor(15);
    GotoXY(1, 2);
    Write("white ", '\x80', '\x01', '\x1b', "[2J");
    GotoXY(1, 4);
    Write(keys);
    Delay(60);
    while (KeyPressed()) {
      uint8_t key = ReadKey();
      if (key == 'q') return;
      if (key == 'f') *reinterpret_cast<volatile int*>(unmapped_address) = 1;
      keys += std::to_string(key) + " ";
    }
  }
}

void Scroll() {
  ClrScr();
  uint32_t rows = WindMaxY - WindMinY + 1;
  for (uint32_t i = 1; i <= rows + 2; ++i) WriteLn("line ", static_cast<int>(i));
  for (;;) {
    Delay(60);
    if (KeyPressed() && ReadKey() == 'q') return;
  }
}

void MainProgram() {
  if (std::strcmp(scene, "scroll") == 0) Scroll();
  else Frame();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) scene = argv[1];
  rt::RunProgram({ConsoleUnit, rt::ExceptionUnit}, MainProgram);
}
