// The guards compiled into every checked operation.
//
// A guard is a compare and a branch, inlined into the routine that uses it;
// only a failure leaves that routine, through one of the cold calls below.
// Each failure call reports its own return address and its caller's frame,
// so a fatal report points at the guarded statement itself.
#pragma once

#include <cstdint>

namespace rt {

// Run-time error 201: a value stored into a narrower type, or an index
// outside a dynamic array.
[[noreturn, gnu::cold, gnu::noinline]] void RangeError();

// Run-time error 215: 32-bit signed arithmetic overflowed.
[[noreturn, gnu::cold, gnu::noinline]] void OverflowError();

// Run-time error 203: the heap could not satisfy a request.
[[noreturn, gnu::cold, gnu::noinline]] void HeapError();

// The pending result of the last text-file operation or write statement.
extern uint16_t InOutRes;

// Called after every file operation and write statement: raises InOutRes
// as a run-time error (clearing it first). Unlike the other guards it is a
// real call, as the language's I/O check is: file operations are not hot,
// and the raise address is then plainly in the routine that called it.
[[gnu::noinline]] void IOCheck();

}  // namespace rt
