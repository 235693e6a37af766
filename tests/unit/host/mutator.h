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

// One region reused for copy after copy, as mapping pages costs much under
// emulation; data larger than the region are refused by Put.
class Guarded {
 public:
  explicit Guarded(size_t capacity = 64 * 1024) : span_((capacity + kPage - 1) / kPage * kPage) {
    base_ = static_cast<unsigned char*>(VirtualAlloc(nullptr, span_ + kPage, MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(base_ + span_, kPage, PAGE_NOACCESS, &old);
  }
  ~Guarded() { VirtualFree(base_, 0, MEM_RELEASE); }
  Guarded(const Guarded&) = delete;
  Guarded& operator=(const Guarded&) = delete;
  // Copies bytes so that their last one is followed by the guard page.
  const unsigned char* Put(const Bytes& bytes) {
    if (bytes.size() > span_) return nullptr;
    unsigned char* data = base_ + span_ - bytes.size();
    if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    return data;
  }

 private:
  static const size_t kPage = 4096;
  size_t span_;
  unsigned char* base_;
};
