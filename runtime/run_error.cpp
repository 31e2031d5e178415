#include "runtime/run_error.h"

#include "runtime/program.h"

namespace rt {

ErrorProcType ErrorProc = nullptr;
uint16_t ErrorCode = 0;
void* ErrorAddr = nullptr;
void* ErrorFrame = nullptr;

void RunError(uint16_t number, void* address, void* frame) {
  if (ErrorProc != nullptr) ErrorProc(number, address, frame);
  ErrorCode = number;
  ErrorAddr = address;
  ErrorFrame = frame;
  Halt(static_cast<uint8_t>(number));
}

}  // namespace rt
