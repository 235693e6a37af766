// Variables of one scope: scalars and arrays, each a singly linked list in
// insertion order (the host's variable lists show that order). Scalars are
// found through a hash index on their keys, as every operand and target
// looks one up. Errors are message numbers written into the caller's error
// field.
#pragma once
#include <cstdint>

#include "name_key.h"
#include "value_matrix.h"
#include "variable.h"

struct VariableRecord {
  VARIABLE value;
  char name[kNameKeySize];
  VariableRecord* next;
  VariableRecord* nextInBucket;  // the name index's chain
};

struct ArrayRecord {
  ArrayRecord(uint16_t rows, uint16_t cols, unsigned char type) : matrix(rows, cols, type) {}
  ValueMatrix matrix;
  char name[kNameKeySize];
  ArrayRecord* next = nullptr;
};

class VariableTable {
 public:
  VariableTable() = default;
  ~VariableTable();
  VariableTable(const VariableTable&) = delete;
  VariableTable& operator=(const VariableTable&) = delete;

  // Existing scalar, or a new NULL one appended; null with 115 on no memory.
  VARIABLE* FindOrCreate(const char* name, uint32_t& error);
  VARIABLE* Find(const char* name) const;
  // Enumeration in list order from null; name receives 8 characters and a
  // zero. Null after the last.
  VARIABLE* NextVariable(const VARIABLE* previous, char name[kNameKeySize + 1]) const;
  ValueMatrix* NextArray(const ValueMatrix* previous, char name[kNameKeySize + 1]) const;

  // 130 when an array of that name exists; 115 on no memory. A count of 0
  // counts as 1. Returns 1 on success, else 0.
  int DeclareArray(const char* name, uint16_t rows, uint16_t cols, unsigned char type,
                   uint32_t& error);
  // The element, or null: 131 when there is no such array, 117 when the
  // index lies outside the matrix (no element is handed out then, so a store
  // through a bad index changes nothing).
  VARIABLE* GetElement(const char* name, int32_t row, int32_t col, uint32_t& error) const;
  // As GetElement, but without an error number.
  VARIABLE* FindElement(const char* name, int32_t row, int32_t col) const;
  bool GetDimensions(const char* name, uint16_t& rows, uint16_t& cols) const;
  // 131 when missing, 115 when the matrix cannot grow. 1 on success.
  int ResizeArray(const char* name, uint16_t rows, uint16_t cols, uint32_t& error);
  // Removes and frees an array; 131 when there is none. 1 on success.
  int Remove(const char* name, uint32_t& error);
  // Empties the table as its destruction does (arrays freed, every scalar
  // emptied with Clear, in list order), but keeps the scalars' records for
  // the names made next: a subroutine frame's locals, emptied at RETURN.
  void Empty();

 private:
  VariableRecord* FindRecord(const char* key) const;
  ArrayRecord* FindArray(const char* name) const;

  void FreeArrays();
  void EmptyScalars(bool keep);

  static const int kBuckets = 32;
  static unsigned BucketOf(const char* key);

  VariableRecord* buckets_[kBuckets] = {};
  VariableRecord* scalars_ = nullptr;
  VariableRecord* lastScalar_ = nullptr;
  ArrayRecord* arrays_ = nullptr;
  VariableRecord* spare_ = nullptr;  // emptied records kept by Empty
};
