#include "variable_table.h"

#include <cstring>
#include <new>

#include "operator_lock.h"

namespace {

void CopyName(char out[kNameKeySize + 1], const char* key) {
  std::memcpy(out, key, kNameKeySize);
  out[kNameKeySize] = 0;
}

}  // namespace

VariableTable::~VariableTable() {
  FreeArrays();
  EmptyScalars(false);
  while (spare_) {
    VariableRecord* next = spare_->next;
    delete spare_;
    spare_ = next;
  }
}

void VariableTable::Empty() {
  FreeArrays();
  EmptyScalars(true);
}

void VariableTable::FreeArrays() {
  while (arrays_) {
    ArrayRecord* next = arrays_->next;
    delete arrays_;
    arrays_ = next;
  }
}

void VariableTable::EmptyScalars(bool keep) {
  while (scalars_) {
    VariableRecord* next = scalars_->next;
    scalars_->value.Clear();
    if (keep) {
      // As if deleted and made anew: a NULL record without links.
      scalars_->value.~VARIABLE();
      new (&scalars_->value) VARIABLE();
      scalars_->next = spare_;
      spare_ = scalars_;
    } else {
      delete scalars_;
    }
    scalars_ = next;
  }
  lastScalar_ = nullptr;
  std::memset(buckets_, 0, sizeof buckets_);
}

unsigned VariableTable::BucketOf(const char* key) {
  uint32_t low, high;
  std::memcpy(&low, key, 4);
  std::memcpy(&high, key + 4, 4);
  static_assert(kBuckets == 32, "the top 5 bits of the mixed key choose the bucket");
  return ((low * 2654435761u) ^ (high * 2246822519u)) >> 27;
}

VariableRecord* VariableTable::FindRecord(const char* key) const {
  for (VariableRecord* r = buckets_[BucketOf(key)]; r; r = r->nextInBucket)
    if (SameKey(r->name, key)) return r;
  return nullptr;
}

ArrayRecord* VariableTable::FindArray(const char* name) const {
  char key[kNameKeySize];
  MakeNameKey(key, name);
  for (ArrayRecord* a = arrays_; a; a = a->next)
    if (SameKey(a->name, key)) return a;
  return nullptr;
}

VARIABLE* VariableTable::Find(const char* name) const {
  char key[kNameKeySize];
  MakeNameKey(key, name);
  VariableRecord* r = FindRecord(key);
  return r ? &r->value : nullptr;
}

VARIABLE* VariableTable::FindOrCreate(const char* name, uint32_t& error) {
  char key[kNameKeySize];
  MakeNameKey(key, name);
  if (VariableRecord* r = FindRecord(key)) return &r->value;
  VariableRecord* r = spare_;
  if (r)
    spare_ = r->next;
  else
    r = new (std::nothrow) VariableRecord;
  if (!r) {
    error = 115;
    return nullptr;
  }
  std::memcpy(r->name, key, kNameKeySize);
  r->next = nullptr;
  VariableRecord*& bucket = buckets_[BucketOf(key)];
  r->nextInBucket = bucket;
  bucket = r;
  if (lastScalar_)
    lastScalar_->next = r;
  else
    scalars_ = r;
  lastScalar_ = r;
  return &r->value;
}

VARIABLE* VariableTable::NextVariable(const VARIABLE* previous,
                                      char name[kNameKeySize + 1]) const {
  VariableRecord* r = scalars_;
  if (previous) {
    while (r && &r->value != previous) r = r->next;
    if (r) r = r->next;
  }
  if (!r) return nullptr;
  CopyName(name, r->name);
  return &r->value;
}

ValueMatrix* VariableTable::NextArray(const ValueMatrix* previous,
                                      char name[kNameKeySize + 1]) const {
  ArrayRecord* a = arrays_;
  if (previous) {
    while (a && &a->matrix != previous) a = a->next;
    if (a) a = a->next;
  }
  if (!a) return nullptr;
  CopyName(name, a->name);
  return &a->matrix;
}

int VariableTable::DeclareArray(const char* name, uint16_t rows, uint16_t cols,
                                unsigned char type, uint32_t& error) {
  if (FindArray(name)) {
    error = 130;
    return 0;
  }
  ArrayRecord* a;
  unsigned failed;
  {
    // The matrix reports a failed block through the shared error word.
    OperatorSection section;
    a = new (std::nothrow) ArrayRecord(rows, cols, type);
    failed = section.TakeError();
  }
  if (!a || failed || !a->matrix.Elements()) {
    delete a;
    error = 115;
    return 0;
  }
  MakeNameKey(a->name, name);
  ArrayRecord** tail = &arrays_;
  while (*tail) tail = &(*tail)->next;
  *tail = a;
  return 1;
}

VARIABLE* VariableTable::FindElement(const char* name, int32_t row, int32_t col) const {
  ArrayRecord* a = FindArray(name);
  if (!a) return nullptr;
  ValueMatrix& m = a->matrix;
  if (row < 0 || col < 0 || row >= m.Rows() || col >= m.Cols() || !m.Elements()) return nullptr;
  return &m.Elements()[row * m.Cols() + col];
}

VARIABLE* VariableTable::GetElement(const char* name, int32_t row, int32_t col,
                                    uint32_t& error) const {
  if (!FindArray(name)) {
    error = 131;
    return nullptr;
  }
  VARIABLE* v = FindElement(name, row, col);
  if (!v) error = 117;
  return v;
}

bool VariableTable::GetDimensions(const char* name, uint16_t& rows, uint16_t& cols) const {
  ArrayRecord* a = FindArray(name);
  if (!a) return false;
  rows = a->matrix.Rows();
  cols = a->matrix.Cols();
  return true;
}

int VariableTable::ResizeArray(const char* name, uint16_t rows, uint16_t cols,
                               uint32_t& error) {
  ArrayRecord* a = FindArray(name);
  if (!a) {
    error = 131;
    return 0;
  }
  unsigned result = a->matrix.Resize(rows, cols);
  if (result) {
    error = result;
    return 0;
  }
  return 1;
}

int VariableTable::Remove(const char* name, uint32_t& error) {
  char key[kNameKeySize];
  MakeNameKey(key, name);
  for (ArrayRecord** link = &arrays_; *link; link = &(*link)->next) {
    if (SameKey((*link)->name, key)) {
      ArrayRecord* gone = *link;
      *link = gone->next;
      delete gone;
      return 1;
    }
  }
  error = 131;
  return 0;
}
