// Page files: the device-independent record of printed pages that the table
// printer and the form renderer write and the page view reads. A file is a
// sequence of packed little-endian records with no file header; each begins
// with its total length (u16, these three bytes included) and a type letter.
// A file begins with a '#' record and ends at the first 'E' record or at a
// type byte 0.
#pragma once
#include <cstddef>
#include <cstdint>

enum PageRecordType : unsigned char {
  kPageRecordPage = '#',    // page number and the device's metrics
  kPageRecordBox = 'B',     // a box with its sides; frames the 'T' after it
  kPageRecordFont = 'F',    // a font by face, points and style
  kPageRecordText = 'T',    // text in the box of the nearest 'B' before it
  kPageRecordHead = 'H',    // a column head: its extent is the column's
  kPageRecordCell = 'L',    // a table cell of a data row
  kPageRecordFooter = 'R',  // a footer cell, laid out as 'L'
  kPageRecordGrid = 'G',    // closes the table of a page
  kPageRecordEnd = 'E'      // end of the file
};

// The 16-bit length bounds every record, its text included.
constexpr size_t kPageRecordMaxLength = 0xFFFF;
// The highest page number a '#' record can hold.
constexpr int kPageMaxNumber = 255;

// Sides of a 'B' box: four 2-bit fields; a side is drawn when its field is
// not 0. The writers set a field to 1.
constexpr uint8_t kPageSideLeft = 0x40;
constexpr uint8_t kPageSideTop = 0x10;
constexpr uint8_t kPageSideRight = 0x04;
constexpr uint8_t kPageSideBottom = 0x01;
constexpr bool PageSideLeftDrawn(uint8_t sides) { return (sides & 0xC0) != 0; }
constexpr bool PageSideTopDrawn(uint8_t sides) { return (sides & 0x30) != 0; }
constexpr bool PageSideRightDrawn(uint8_t sides) { return (sides & 0x0C) != 0; }
constexpr bool PageSideBottomDrawn(uint8_t sides) { return (sides & 0x03) != 0; }

// Font styles of an 'F' record.
constexpr char kPageFontBold = 'B';
constexpr char kPageFontItalic = 'I';
constexpr char kPageFontPlain = 0;

// Record layouts. The types with a text end in a one-byte array holding
// its NUL, so that sizeof gives the record's length for an empty text
// (the type's fixed part); a text of n bytes makes the record n longer.
#pragma pack(push, 1)
struct PageRecordHeader {
  uint16_t length;
  uint8_t type;
};

struct PagePageRecord {  // '#', 20 bytes
  PageRecordHeader header;
  uint8_t number;       // 1-based, at most 255
  int32_t width;        // HORZRES of the printer
  int32_t height;       // VERTRES
  int32_t char_width;   // tmAveCharWidth of the print font on the device
  int32_t line_height;  // tmHeight + tmExternalLeading
};

struct PageBoxRecord {  // 'B', 20 bytes
  PageRecordHeader header;
  uint8_t sides;
  int32_t left, top, right, bottom;
};

struct PageFontRecord {  // 'F', 7 + n bytes
  PageRecordHeader header;
  uint8_t points;
  uint8_t style;  // 'B', 'I' or 0
  uint8_t zero;
  char face[1];
};

struct PageTextRecord {  // 'T', 5 + n bytes
  PageRecordHeader header;
  uint8_t alignment;  // 'L', 'C' or 'R'
  char text[1];
};

struct PageHeadRecord {  // 'H', 21 + n bytes
  PageRecordHeader header;
  uint8_t column;  // 0-based
  int32_t left, top, right, bottom;
  char title[1];
};

struct PageCellRecord {  // 'L' and 'R', 15 + n bytes
  PageRecordHeader header;
  uint8_t column;  // 0-based; left and right are those of its 'H'
  uint16_t flags;  // DrawText format flags
  int32_t top, bottom;
  char text[1];
};

struct PageGridRecord {  // 'G', 27 bytes
  PageRecordHeader header;
  // Written as 0; the page view stores its last paint's values here: the
  // line under the heads, the line under the last row, the frame rectangle.
  int32_t head_line, last_line, left, top, right, bottom;
};
#pragma pack(pop)

static_assert(sizeof(PageRecordHeader) == 3, "record header");
static_assert(sizeof(PagePageRecord) == 20, "'#' record");
static_assert(sizeof(PageBoxRecord) == 20, "'B' record");
static_assert(sizeof(PageFontRecord) == 7, "'F' record");
static_assert(sizeof(PageTextRecord) == 5, "'T' record");
static_assert(sizeof(PageHeadRecord) == 21, "'H' record");
static_assert(sizeof(PageCellRecord) == 15, "'L' record");
static_assert(sizeof(PageGridRecord) == 27, "'G' record");

// The fixed part of a record type (its length with an empty text), 3 for a
// type this format does not know.
size_t PageRecordFixedLength(unsigned char type);
// Where the text of a record type begins, 0 for a type without text.
size_t PageRecordTextOffset(unsigned char type);
