// Lengths of texts that grow by appends. Measuring a long text at every
// append to it would cost its whole length each time, so the interpreter
// notes the length it left in a STRING record and reads it back at the
// next append. Every operation of this library that writes, moves or
// frees a record's text forgets what was noted for that record; callers
// forget all notes before code they do not control runs (a library export,
// a COM call, MCOPY), since such code may write into a text in place.
#pragma once
#include <atomic>
#include <cstddef>

#include "variable.h"

// Notes that v's text (v a STRING with a text) is length bytes long.
void NoteTextLength(const VARIABLE& v, size_t length);

// The noted length while v still holds the text it was noted for, else the
// text measured.
size_t KnownTextLength(const VARIABLE& v);

// True while a note may exist: the record operations that call
// ForgetTextLength cost one test when none does.
extern std::atomic<bool> textLengthsNoted;
void ForgetNotedTextLength(const VARIABLE* v);

// Forgets the note on v, if any: called whenever v's text changes.
inline void ForgetTextLength(const VARIABLE* v) {
  if (textLengthsNoted.load(std::memory_order_relaxed)) ForgetNotedTextLength(v);
}

// Forgets every note.
void ForgetTextLengths();
