// Run-time errors: how a failed guard or a fault ends the program.
//
// A run-time error carries its number, the code address where it was
// detected and the frame of the routine that detected it. Once the exception
// layer has started, ErrorProc turns it into a raised exception that nothing
// handles; before that it takes the fallback path: ErrorCode and ErrorAddr
// are recorded and Halt writes the fallback report at exit.
#pragma once

#include <cstdint>

namespace rt {

using ErrorProcType = void (*)(uint16_t number, void* address, void* frame);

extern ErrorProcType ErrorProc;
extern uint16_t ErrorCode;
extern void* ErrorAddr;
extern void* ErrorFrame;

[[noreturn]] void RunError(uint16_t number, void* address, void* frame);

}  // namespace rt
