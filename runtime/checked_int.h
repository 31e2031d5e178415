// Integers whose every store and every operation is guarded.
//
//   Int32  32-bit signed; +, -, * and negation fail with 215 on overflow.
//   Int16  16-bit signed storage; storing a value outside -32768..32767
//          fails with 201. Reads widen to Int32, so sums of Int16 values
//          never overflow: they are checked when stored back.
//   Byte   8-bit unsigned storage; a value outside 0..255 fails with 201.
//
// A zero-filled Int16 or Byte is 0, so records made of them may be
// zero-initialised like plain memory.
#pragma once

#include <compare>
#include <cstdint>

#include "runtime/guards.h"

namespace rt {

class Int32 {
 public:
  constexpr Int32() = default;
  constexpr Int32(int32_t value) : value_(value) {}

  constexpr int32_t Value() const { return value_; }
  explicit constexpr operator int32_t() const { return value_; }

 private:
  int32_t value_ = 0;
};

// Free functions, not hidden friends, so that Int16 and Byte operands find
// them too (through their conversion to Int32).
constexpr bool operator==(Int32 a, Int32 b) { return a.Value() == b.Value(); }
constexpr auto operator<=>(Int32 a, Int32 b) { return a.Value() <=> b.Value(); }

[[gnu::always_inline]] inline Int32 operator+(Int32 a, Int32 b) {
  int32_t r;
  if (__builtin_expect(__builtin_add_overflow(a.Value(), b.Value(), &r), 0)) OverflowError();
  return r;
}
[[gnu::always_inline]] inline Int32 operator-(Int32 a, Int32 b) {
  int32_t r;
  if (__builtin_expect(__builtin_sub_overflow(a.Value(), b.Value(), &r), 0)) OverflowError();
  return r;
}
[[gnu::always_inline]] inline Int32 operator*(Int32 a, Int32 b) {
  int32_t r;
  if (__builtin_expect(__builtin_mul_overflow(a.Value(), b.Value(), &r), 0)) OverflowError();
  return r;
}
[[gnu::always_inline]] inline Int32 operator-(Int32 a) { return Int32(0) - a; }
// Truncating, like the language's div; -2147483648 div -1 overflows.
[[gnu::always_inline]] inline Int32 operator/(Int32 a, Int32 b) {
  if (b.Value() == -1) return -a;
  return a.Value() / b.Value();
}

// Narrowing with the range guard; usable wherever a store needs one.
[[gnu::always_inline]] inline int16_t CheckedInt16(Int32 v) {
  if (__builtin_expect(v.Value() < -32768 || v.Value() > 32767, 0)) RangeError();
  return static_cast<int16_t>(v.Value());
}
[[gnu::always_inline]] inline uint8_t CheckedByte(Int32 v) {
  if (__builtin_expect(static_cast<uint32_t>(v.Value()) > 255u, 0)) RangeError();
  return static_cast<uint8_t>(v.Value());
}

class Int16 {
 public:
  constexpr Int16() = default;
  [[gnu::always_inline]] Int16(Int32 v) : value_(CheckedInt16(v)) {}
  [[gnu::always_inline]] Int16(int32_t v) : value_(CheckedInt16(v)) {}

  constexpr int16_t Value() const { return value_; }
  constexpr operator Int32() const { return value_; }

 private:
  int16_t value_ = 0;
};

class Byte {
 public:
  constexpr Byte() = default;
  [[gnu::always_inline]] Byte(Int32 v) : value_(CheckedByte(v)) {}
  [[gnu::always_inline]] Byte(int32_t v) : value_(CheckedByte(v)) {}

  constexpr uint8_t Value() const { return value_; }
  constexpr operator Int32() const { return value_; }

 private:
  uint8_t value_ = 0;
};

}  // namespace rt
