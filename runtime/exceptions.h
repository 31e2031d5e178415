// The exception layer: run-time errors become exceptions, and an exception
// that nothing handles (nothing in this program does) is reported on
// StdOut and ends the program with exit status 217.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/program.h"

namespace rt {

// An exception object. A program ends at its first exception, so the raised
// object lives in static storage: raising from a fault handler allocates
// nothing.
struct TException {
  const char* ClassName = "Exception";
  char Message[48] = {};
  uint16_t ErrorCode = 0;  // set for EInOutError
};

// Created when the layer starts, so running out of memory needs no new object.
extern TException* OutOfMemory;

constexpr size_t RaiseMaxFrameCount = 16;

// The record of the exception being raised.
struct RaisedException {
  TException* Object = nullptr;
  void* Address = nullptr;
  size_t FrameCount = 0;
  void* Frames[RaiseMaxFrameCount] = {};
};

// One row of the translation of run-time errors.
struct RunErrorClass {
  uint16_t Number;
  const char* ClassName;
  const char* Message;
};
// The class and message of a run-time error number; numbers without a row
// are "Exception" with "Unknown Run-Time error : NNN".
RunErrorClass ClassOfRunError(uint16_t number, char (&message)[48]);

// Fills the exception for run-time error `number` (OutOfMemory for 1 and
// 203), raises it at `address` with the callers of `frame`. Never returns.
[[noreturn]] void RunErrorToExcept(uint16_t number, void* address, void* frame);

// The report of an exception nothing handled, then Halt(217).
[[noreturn]] void CatchUnhandledException(const RaisedException& raised);

// The unit that installs ErrorProc and ExceptProc.
extern const Unit ExceptionUnit;

}  // namespace rt
