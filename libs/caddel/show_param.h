// The parameter text of CADDEL_Show: items "KEY=value" each ended by ";"
// (the last ";" may be missing), keys without case: EVENT (the caption
// command), ID and OWN (up to 4 field names separated by "|"), SORT (no
// value needed); other keys are ignored.
#pragma once
#include <windows.h>

#include <cstdint>

#include "record_set_object.h"
#include "tree_index.h"

struct ShowParam {
  bool hasEvent = false;
  UINT event = 0;
  bool sorted = false;
  // ID and OWN named (always both, with the same number of fields).
  bool hasKeys = false;
  uint16_t keyCount = 0;
  uint16_t idField[kMaxKeys] = {};
  uint16_t ownField[kMaxKeys] = {};
};

// Field names keep at most this many characters.
const int kFieldNameKept = 15;

// Reads text (null: empty), looking field names up in records. False for a
// field name that is unknown, an ID or OWN without a value or with more
// than 4 names, or ID and OWN with different numbers of names (or only
// one of them).
bool ReadShowParam(const char* text, RecordSetObject& records, ShowParam& param);
