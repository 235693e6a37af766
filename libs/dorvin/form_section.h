// Finding the form in its source text, before it is compiled: the text a
// script gives (form number 0) ends at its first "END"; a form file holds
// sections headed "FORM " and a number, each running to its first "END".
#pragma once
#include <cstddef>
#include <cstdint>

#include "form_messages.h"

// The length of text up to and including its first "END"; 0 when it has
// none.
size_t FormTextLength(const char* text);

struct FormSection {
  uint32_t error;      // 0, or 107
  size_t start;        // where the section's first line begins
  size_t length;       // its bytes up to and including "END"
  uint32_t firstLine;  // the file line of its first line (from 1)
};

// Finds section number in the zero-terminated text, which it marks as the
// section's end: a NUL over the "F" of the next "FORM " and a NUL right
// after the section's "END". A "FORM " without digits or with the number 0
// ends the search (107) even when the section comes later.
FormSection FindFormSection(char* text, unsigned long number);
