// Life of an array: construction, growth, adding and removing elements.
#include "dim_array.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

const int32_t kDefaultCapacity = 10;
const int32_t kGrowth = 10;
// The most slots whose byte count fits the address space.
const int32_t kMaxSlots = static_cast<int32_t>(SIZE_MAX / sizeof(VARIABLE) < INT32_MAX
                                                   ? SIZE_MAX / sizeof(VARIABLE)
                                                   : INT32_MAX);

// Slot arrays are raw blocks: a zero-filled record is a NULL value, and
// records move bitwise (they hold no pointers to themselves).
bool Resize(VARIABLE** slots, int32_t used, int32_t wanted) {
  void* block = std::realloc(static_cast<void*>(*slots), wanted * sizeof(VARIABLE));
  if (!block) return false;
  *slots = static_cast<VARIABLE*>(block);
  std::memset(static_cast<void*>(*slots + used), 0, (wanted - used) * sizeof(VARIABLE));
  return true;
}

void MakeNull(VARIABLE* slot) { slot->TYPE(VAL_NULL); }

}  // namespace

DimArray* DimArray::Create(int32_t size) {
  DimArray* array = new (std::nothrow) DimArray();
  if (!array) return nullptr;
  if (!array->Reserve(size > 0 ? size : kDefaultCapacity)) array->error_ = kErrorOutOfMemory;
  return array;
}

DimArray::~DimArray() {
  for (int32_t i = 0; i < capacity_; ++i) {
    MakeNull(&values_[i]);
    MakeNull(&keys_[i]);
  }
  std::free(static_cast<void*>(values_));
  std::free(static_cast<void*>(keys_));
}

bool DimArray::Reserve(int32_t slots) {
  if (slots > kMaxSlots) return false;
  // A block grown by an earlier half-failed call is grown again to the same
  // size: realloc keeps it, and its slots past the capacity are still NULL.
  if (!Resize(&values_, capacity_, slots) || !Resize(&keys_, capacity_, slots)) return false;
  capacity_ = slots;
  return true;
}

int32_t DimArray::Add(const VARIABLE& key, const VARIABLE& value) {
  if (count_ >= capacity_) {
    if (capacity_ > kMaxSlots - kGrowth || !Reserve(capacity_ + kGrowth)) {
      error_ = kErrorOutOfMemory;
      return -1;
    }
    error_ = 0;
  }
  // Into NULL slots: each takes the argument's type and its own copy.
  values_[count_].ConvertFrom(value);
  keys_[count_].ConvertFrom(key);
  return ++count_;
}

int32_t DimArray::Delete(int32_t index) {
  if (index < 0 || index >= count_) {
    error_ = kErrorIndexRange;
    return -1;
  }
  MakeNull(&values_[index]);
  MakeNull(&keys_[index]);
  size_t after = (count_ - index - 1) * sizeof(VARIABLE);
  std::memmove(static_cast<void*>(values_ + index), values_ + index + 1, after);
  std::memmove(static_cast<void*>(keys_ + index), keys_ + index + 1, after);
  --count_;
  std::memset(static_cast<void*>(values_ + count_), 0, sizeof(VARIABLE));
  std::memset(static_cast<void*>(keys_ + count_), 0, sizeof(VARIABLE));
  error_ = 0;
  return count_;
}

VARIABLE* DimArray::Slot(VARIABLE* slots, int32_t index) {
  if (index < 0 || index >= count_) {
    error_ = kErrorIndexRange;
    return nullptr;
  }
  error_ = 0;
  return &slots[index];
}
