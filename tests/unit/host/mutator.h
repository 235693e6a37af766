// Reproducible damage to good files: random bytes, length-like fields set
// to boundary values, files cut short and bytes dropped from the middle.
// Damaged data are read from a Guarded copy, whose last byte is followed
// by a page that cannot be read, so that any overread faults at once.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "builders.h"

class Mutator {
 public:
  explicit Mutator(uint32_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  Bytes Mutate(const Bytes& good) {
    Bytes b = good;
    if (b.size() < 8) return b;
    switch (Next() % 4) {
      case 0:  // a few random bytes
        for (int i = 1 + Next() % 4; i > 0; --i) b[Next() % b.size()] = static_cast<unsigned char>(Next());
        break;
      case 1: {  // a length-like field set to a boundary value
        static const uint32_t values[] = {0, 1, 0xFF, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF, 0x10000, 0xFFFFFFF0};
        SetDword(b, Next() % (b.size() - 3), values[Next() % 8]);
        break;
      }
      case 2:  // cut short
        b.resize(Next() % b.size());
        break;
      default: {  // bytes dropped from the middle
        const size_t at = Next() % (b.size() - 4);
        b.erase(b.begin() + at, b.begin() + at + 1 + Next() % 4);
        break;
      }
    }
    return b;
  }

 private:
  uint32_t state_;
};

class Guarded {
 public:
  explicit Guarded(const Bytes& bytes) : size_(bytes.size()) {
    const size_t page = 4096, span = (size_ + page - 1) / page * page;
    base_ = static_cast<unsigned char*>(VirtualAlloc(nullptr, span + page, MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(base_ + span, page, PAGE_NOACCESS, &old);
    data_ = base_ + span - size_;
    if (size_) std::memcpy(data_, bytes.data(), size_);
  }
  ~Guarded() { VirtualFree(base_, 0, MEM_RELEASE); }
  Guarded(const Guarded&) = delete;
  Guarded& operator=(const Guarded&) = delete;
  const unsigned char* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  size_t size_;
  unsigned char* base_;
  unsigned char* data_;
};
