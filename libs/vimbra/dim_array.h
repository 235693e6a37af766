// DimArray: one script array of key and value pairs (element i is keys[i]
// with values[i]). Both slot arrays have `capacity` records; slots from
// `count` on hold NULL values. The script keeps the object's address as the
// array's handle. Failures are kept in the error word, never shown.
#pragma once
#include <cstdint>

#include "variable.h"

class DimArray {
 public:
  // Capacity `size`, or the default for size <= 0. Null only when the object
  // itself cannot be allocated; when the slots cannot be, the array is
  // empty with capacity 0 and error 115, and grows at its first Add.
  static DimArray* Create(int32_t size);
  ~DimArray();
  DimArray(const DimArray&) = delete;
  DimArray& operator=(const DimArray&) = delete;

  int32_t count() const { return count_; }
  int32_t capacity() const { return capacity_; }
  int16_t error() const { return error_; }

  // Appends copies of key and value; the new count, or -1 (error 115) when
  // the array cannot grow.
  int32_t Add(const VARIABLE& key, const VARIABLE& value);
  // Removes element `index`; the new count, or -1 (error 117).
  int32_t Delete(int32_t index);
  // The value or key of element `index`: null and error 117 out of range,
  // error 0 otherwise.
  VARIABLE* ValueAt(int32_t index) { return Slot(values_, index); }
  VARIABLE* KeyAt(int32_t index) { return Slot(keys_, index); }

  // Position of the first key equal to `key`, -1 when none.
  int32_t Seek(VARIABLE* key);
  // The value of that element, null when none. Neither touches the error.
  VARIABLE* Find(VARIABLE* key);
  // The first greatest or smallest value; null for an empty array. The
  // error stays as it was.
  VARIABLE* Greatest();
  VARIABLE* Smallest();

  // New records (operator new) for RELEASE: the sum of the values, and the
  // running halving average ((0 + v0) / 2 + v1) / 2 ..., each step kept in
  // the first value's type. A first value that is not LONG, REAL or MONEY
  // gives a NULL record and error 116; an empty array a NULL record.
  VARIABLE* Sum() { return Total(false); }
  VARIABLE* Average() { return Total(true); }

 private:
  DimArray() = default;
  // Both slot arrays to `slots` records, the new ones NULL. The capacity
  // changes only when both succeed.
  bool Reserve(int32_t slots);
  VARIABLE* Slot(VARIABLE* slots, int32_t index);
  VARIABLE* Extreme(int (*better)(VARIABLE*, VARIABLE*));
  VARIABLE* Total(bool halving);

  VARIABLE* values_ = nullptr;
  VARIABLE* keys_ = nullptr;
  int32_t capacity_ = 0;
  int32_t count_ = 0;
  int16_t error_ = 0;
};
