#include "value_matrix.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

uint16_t AtLeastOne(uint16_t n) { return n ? n : 1; }

// The block size in 64 bits: 65535 x 65535 records do not fit 32 bits.
bool BlockBytes(uint64_t count, size_t* bytes) {
  uint64_t total = count * sizeof(VARIABLE);
  if (total > SIZE_MAX / 2) return false;
  *bytes = static_cast<size_t>(total);
  return true;
}

void Fresh(VARIABLE* from, VARIABLE* to, unsigned char type) {
  for (VARIABLE* v = from; v < to; ++v) {
    new (v) VARIABLE();
    v->type = type;
  }
}

}  // namespace

ValueMatrix::ValueMatrix(uint16_t rows, uint16_t cols, unsigned char type)
    : elements_(nullptr), rows_(0), cols_(0) {
  rows = AtLeastOne(rows);
  cols = AtLeastOne(cols);
  uint64_t count = static_cast<uint64_t>(rows) * cols;
  size_t bytes = 0;
  if (BlockBytes(count, &bytes)) elements_ = static_cast<VARIABLE*>(std::malloc(bytes));
  if (!elements_) {
    VARIABLE::Error = kErrorOutOfMemory;
    return;
  }
  Fresh(elements_, elements_ + count, type);
  rows_ = rows;
  cols_ = cols;
}

ValueMatrix::~ValueMatrix() {
  size_t count = static_cast<size_t>(rows_) * cols_;
  for (size_t i = 0; i < count; ++i) elements_[i].~VARIABLE();
  std::free(elements_);
}

VARIABLE* ValueMatrix::Element(int row, int col) {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
    VARIABLE::Error = kErrorIndexRange;
    return nullptr;
  }
  return &elements_[static_cast<size_t>(row) * cols_ + static_cast<size_t>(col)];
}

VARIABLE* ValueMatrix::At(int row, int col) {
  VARIABLE* v = Element(row, col);
  return v ? v : elements_;
}

unsigned ValueMatrix::Resize(uint16_t rows, uint16_t cols) {
  if (!elements_) return kErrorOutOfMemory;
  rows = AtLeastOne(rows);
  cols = AtLeastOne(cols);
  uint64_t count = static_cast<uint64_t>(rows) * cols;
  uint64_t old = static_cast<uint64_t>(rows_) * cols_;
  uint64_t capacity = _msize(elements_) / sizeof(VARIABLE);
  if (count > capacity) {
    size_t bytes = 0;
    VARIABLE* block = nullptr;
    if (BlockBytes(count, &bytes)) block = static_cast<VARIABLE*>(std::realloc(static_cast<void*>(elements_), bytes));
    if (!block) return kErrorOutOfMemory;
    elements_ = block;
  }
  if (count > old) {
    // Records past the old count (fresh, or cleared by an earlier shrink)
    // start again as zero records of the matrix's type.
    Fresh(elements_ + old, elements_ + count, elements_[0].type);
  } else {
    for (uint64_t i = count; i < old; ++i) elements_[i].Clear();
  }
  rows_ = rows;
  cols_ = cols;
  return 0;
}
