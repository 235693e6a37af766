// The compiled form: the byte code a form description compiles to, kept in
// the form's block and run by the renderer. Records follow one another with
// no lengths of their own; numbers are unsigned and little-endian.
//
//   'B'  u16 left, u16 top, u16 right, u16 bottom (mm), u8 sides
//   'F'  u8 size (points), u8 style character or 0, face name, NUL
//   'T'  u8 alignment character ('C' centred, 'R' right, any other left),
//        text (escapes resolved, [expressions] as written), NUL
//   'I'  field (a number's text or a name), NUL, u16 width (mm),
//        u16 heading offset, u8 heading length, u8 footer lines
//   'D'  the headings of the part's 'I' records, each with its NUL, in
//        order; its end is the last 'I' record's offset + length + 1
//   'P'  path, NUL
//   0    end of the form
#pragma once
#include <cstdint>

namespace compiled_form {

enum : unsigned char {
  kEnd = 0,
  kBox = 'B',
  kFont = 'F',
  kText = 'T',
  kColumn = 'I',
  kTable = 'D',
  kPicture = 'P',
};

// Side bits of a box: two bits a side, only the low one of each pair set.
enum : unsigned char {
  kSideLeft = 0x40,
  kSideTop = 0x10,
  kSideRight = 0x04,
  kSideBottom = 0x01,
};

// A form has at most 8 parts: every TABLE line ends one, and END the last.
const int kMaxParts = 8;
// A TABLE prints at most this many columns (its TITLE lines).
const int kMaxColumns = 32;
// The headings of one part's columns, each with its NUL.
const int kHeadingRoom = 1024;

}  // namespace compiled_form

// The parts of a compiled form: each part's height (the largest bottom of
// its boxes, mm) and how many parts the form has.
struct FormParts {
  uint16_t heights[compiled_form::kMaxParts] = {};
  uint16_t count = 0;
};
