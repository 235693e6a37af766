// ValueMatrix: the storage of a script array, rows x cols VARIABLE records
// in row-major order (element (r, c) is record r*cols + c).
#pragma once
#include <cstdint>

#include "variable.h"

class ValueMatrix {
 public:
  // A count of 0 counts as 1. Every record gets the type with a zero
  // payload. When the block cannot be had: error 115, no block, 0 x 0.
  ValueMatrix(uint16_t rows, uint16_t cols, unsigned char type);
  ~ValueMatrix();
  ValueMatrix(const ValueMatrix&) = delete;
  ValueMatrix& operator=(const ValueMatrix&) = delete;

  // Outside the bounds: error 117 and element (0, 0), so the caller's
  // operation goes on (null only when there is no block).
  VARIABLE* At(int row, int col);
  // As At, but null outside the bounds (with 117).
  VARIABLE* Element(int row, int col);
  // Records keep their linear positions; new ones take the type of record
  // 0, dropped ones are cleared. Returns 0, or 115 with nothing changed.
  unsigned Resize(uint16_t rows, uint16_t cols);

  uint16_t Rows() const { return rows_; }
  uint16_t Cols() const { return cols_; }
  VARIABLE* Elements() { return elements_; }

 private:
  VARIABLE* elements_;
  uint16_t rows_;
  uint16_t cols_;
};
