// Helpers shared by the value library's own modules (not a public header).
#pragma once
#include "text_helpers.h"
#include "variable.h"

namespace value_internal {

// Makes v a STRING holding a copy of text (null: the empty text) without
// calling the change hook; 0 (and 115) when the space cannot be had.
int StoreText(VARIABLE& v, const char* text);
// Makes v hold pointer and a copy of name: the new reference is taken
// before the old one is released, so storing the same pointer is safe.
void StoreDispatch(VARIABLE& v, IDispatch* pointer, const char* name);
// Copies the payload of a type that owns nothing of its own (every type
// but STRING and DISPATCH, whose copies take a text or a reference of their
// own; for those two it does nothing).
void CopyFixedPayload(VARIABLE& to, const VARIABLE& from);
// The change hook of the setters.
inline void NotifyStored(VARIABLE& v) {
  if (v.links != 0) VariableUpdated(&v);
}
// The change hook of the assignments and unary operators: not after an error.
inline void NotifyCopied(VARIABLE& v) {
  if (VARIABLE::Error == 0 && v.links != 0) VariableUpdated(&v);
}

}  // namespace value_internal

namespace value_internal {

// Registry form with braces, ANSI; buffer of at least 40 bytes.
char* GuidToText(const GUID& guid, char* buffer);
// The TIME text "yyyy.MM.dd HH:mm:ss"; buffer of at least 32 bytes.
char* TimeValueToText(const VARIABLE& v, char* buffer);

}  // namespace value_internal
