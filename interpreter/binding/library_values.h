// The 32-bit words of an extension call: an argument made from a value by
// its declared type, and the result value made from the export's word.
#pragma once
#include <windows.h>

#include <cstdint>

#include "variable.h"

// The word for value as a parameter of the declared type: 0, or 116 when
// the type does not take the value. A VARIABLE parameter passes the
// record's own address, so value must stay in place until the call ends.
uint32_t ArgumentWord(unsigned char declared, VARIABLE& value, uint32_t& word);

// The result of the declared type made from word into result (NULL on
// entry), for the types carried in the word itself: NULL, LONG, BOOL,
// IMAGE, TIME, and the zero payloads of OBJECT, MONEY, DISPATCH and GUID.
// STRING, POINTER and VARIABLE results point at the library's records and
// are copied by the caller.
void ResultValue(unsigned char declared, uint32_t word, VARIABLE& result);
