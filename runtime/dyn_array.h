// A dynamic array with the guards of the language's dynamic arrays.
//
// Every index is bounds-checked (201), a negative length is 201 and a heap
// that cannot grow the array is 203. New elements are zero-filled and
// elements move by plain copy when the array grows, so T must be a plain
// record: valid when all-zero and relocatable by memcpy (Int16, Byte and
// DynArray members all are). The array owns its elements and releases them
// with itself.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

#include "runtime/checked_int.h"

namespace rt {

// Resizes a block; returns null on exhaustion and leaves the old block alone.
void* ResizeBlock(void* block, size_t bytes);
void ReleaseBlock(void* block);

template <typename T>
class DynArray {
 public:
  DynArray() = default;
  DynArray(const DynArray&) = delete;
  DynArray& operator=(const DynArray&) = delete;
  ~DynArray() { Release(); }

  Int32 Length() const { return length_; }
  Int32 High() const { return length_ - 1; }

  [[gnu::always_inline]] T& operator[](Int32 index) {
    if (__builtin_expect(static_cast<uint32_t>(index.Value()) >= static_cast<uint32_t>(length_), 0))
      RangeError();
    return data_[index.Value()];
  }
  [[gnu::always_inline]] const T& operator[](Int32 index) const {
    return const_cast<DynArray&>(*this)[index];
  }

  // The guards sit here, inlined into the caller; the work is out of line.
  [[gnu::always_inline]] void SetLength(Int32 length) {
    if (__builtin_expect(length.Value() < 0, 0)) RangeError();
    if (__builtin_expect(!Resize(length.Value()), 0)) HeapError();
  }

  // Unchecked iteration for loops that visit every element in order.
  T* begin() { return data_; }
  T* end() { return data_ + length_; }

  void Release() {
    Shrink(0);
    ReleaseBlock(data_);
    data_ = nullptr;
  }

 private:
  [[gnu::noinline]] bool Resize(int32_t length) {
    if (length < length_) Shrink(length);
    if (length == length_) return true;
    size_t bytes = static_cast<size_t>(length) * sizeof(T);
    if (bytes / sizeof(T) != static_cast<size_t>(length)) return false;
    void* grown = ResizeBlock(static_cast<void*>(data_), bytes);
    if (grown == nullptr) return false;
    data_ = static_cast<T*>(grown);
    std::memset(static_cast<void*>(data_ + length_), 0,
                static_cast<size_t>(length - length_) * sizeof(T));
    length_ = length;
    return true;
  }
  void Shrink(int32_t length) {
    if constexpr (!std::is_trivially_destructible_v<T>)
      for (int32_t i = length; i < length_; ++i) data_[i].~T();
    if (length < length_) length_ = length;
  }

  T* data_ = nullptr;
  int32_t length_ = 0;
};

}  // namespace rt
