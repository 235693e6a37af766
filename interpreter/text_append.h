// Texts that grow in place. A STRING's own heap block takes the appended
// bytes and, when it is too small, grows by half again, so a text built by
// n appends is copied O(n) bytes in all instead of once per append.
#pragma once
#include <cstddef>

#include "variable.h"

// Writes length bytes of tail and a zero behind the first known bytes of
// v's text (v a STRING; a null text counts as empty). tail must not lie in
// v's block. False when the block cannot grow: the text stays as it was and
// nothing is reported (the caller's operator reports it).
bool AppendToText(VARIABLE& v, size_t known, const char* tail, size_t length);
