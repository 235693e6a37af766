// Each record is assembled in one buffer and written with one WriteFile, so
// that a file holds whole records only up to the first failed write.
#include "page_writer.h"

#include <cstring>

namespace {

// Records up to this size are assembled on the stack (table cells come
// from 80-byte buffers); longer ones take a heap block.
constexpr size_t kStackRecord = 512;

size_t TextLength(const char* text, int given) {
  if (!text || given <= 0) return 0;
  const void* nul = std::memchr(text, 0, static_cast<size_t>(given));
  return nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : static_cast<size_t>(given);
}

size_t TextLength(const char* text) { return text ? std::strlen(text) : 0; }

void SetHeader(void* record, size_t length, unsigned char type) {
  PageRecordHeader header;
  header.length = static_cast<uint16_t>(length);
  header.type = type;
  std::memcpy(record, &header, sizeof header);
}

// Writes the fixed part (fixed_size bytes, its last one the place of the
// text's NUL) followed by the text and a NUL, cut to the 16-bit length.
BOOL WriteTextRecord(HANDLE file, const void* fixed, size_t fixed_size, const char* text,
                     size_t text_length) {
  if (!file) return FALSE;
  if (text_length > kPageRecordMaxLength - fixed_size) text_length = kPageRecordMaxLength - fixed_size;
  const size_t length = fixed_size + text_length;
  unsigned char stack[kStackRecord];
  unsigned char* record = stack;
  if (length > sizeof stack) {
    record = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, length));
    if (!record) return FALSE;
  }
  std::memcpy(record, fixed, fixed_size - 1);
  SetHeader(record, length, static_cast<const unsigned char*>(fixed)[2]);
  if (text_length) std::memcpy(record + fixed_size - 1, text, text_length);
  record[length - 1] = 0;
  const BOOL ok = WritePageFileData(file, record, static_cast<DWORD>(length));
  if (record != stack) HeapFree(GetProcessHeap(), 0, record);
  return ok;
}

uint8_t ClampByte(int value) {
  if (value < 0) return 0;
  return value > 255 ? 255 : static_cast<uint8_t>(value);
}

}  // namespace

BOOL WritePageFileData(HANDLE file, const void* bytes, DWORD count) {
  if (!file) return FALSE;
  DWORD written = 0;
  return WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

BOOL WritePageHeader(HANDLE file, int page, HDC printer, HFONT font) {
  if (!file || page < 1 || page > kPageMaxNumber) return FALSE;
  TEXTMETRICA metrics = {};
  HGDIOBJ old = font ? SelectObject(printer, font) : nullptr;
  GetTextMetricsA(printer, &metrics);
  if (old) SelectObject(printer, old);
  PagePageRecord record;
  SetHeader(&record, sizeof record, kPageRecordPage);
  record.number = static_cast<uint8_t>(page);
  record.width = GetDeviceCaps(printer, HORZRES);
  record.height = GetDeviceCaps(printer, VERTRES);
  record.char_width = metrics.tmAveCharWidth;
  record.line_height = metrics.tmHeight + metrics.tmExternalLeading;
  return WritePageFileData(file, &record, sizeof record);
}

BOOL WritePageFont(HANDLE file, const char* face, int points, char style) {
  if (!file) return FALSE;
  size_t n = TextLength(face);
  if (n > kPageRecordMaxLength - sizeof(PageFontRecord)) n = kPageRecordMaxLength - sizeof(PageFontRecord);
  const size_t length = sizeof(PageFontRecord) + n;
  // One zero-filled heap block: the byte after the style and the NUL stay 0.
  unsigned char* record = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, length));
  if (!record) return FALSE;
  SetHeader(record, length, kPageRecordFont);
  record[3] = ClampByte(points);
  record[4] = static_cast<unsigned char>(style);
  if (n) std::memcpy(record + offsetof(PageFontRecord, face), face, n);
  const BOOL ok = WritePageFileData(file, record, static_cast<DWORD>(length));
  HeapFree(GetProcessHeap(), 0, record);
  return ok;
}

BOOL WritePagePrintFont(HANDLE file, const GruskFont* font) {
  if (!font) return WritePageFont(file, nullptr, 0, kPageFontPlain);
  char face[sizeof font->face + 1];
  std::memcpy(face, font->face, sizeof font->face);
  face[sizeof font->face] = 0;
  return WritePageFont(file, face, font->points, kPageFontPlain);
}

BOOL WritePageBox(HANDLE file, const RECT* box, uint8_t sides) {
  if (!file) return FALSE;
  PageBoxRecord record = {};
  SetHeader(&record, sizeof record, kPageRecordBox);
  record.sides = sides;
  if (box) {
    record.left = box->left;
    record.top = box->top;
    record.right = box->right;
    record.bottom = box->bottom;
  }
  return WritePageFileData(file, &record, sizeof record);
}

BOOL WritePageText(HANDLE file, char alignment, const char* text) {
  PageTextRecord fixed;
  SetHeader(&fixed, sizeof fixed, kPageRecordText);
  fixed.alignment = static_cast<uint8_t>(alignment);
  return WriteTextRecord(file, &fixed, sizeof fixed, text, TextLength(text));
}

BOOL WritePageHead(HANDLE file, int column, const RECT* box, int title_length, const char* title) {
  PageHeadRecord fixed = {};
  SetHeader(&fixed, sizeof fixed, kPageRecordHead);
  fixed.column = static_cast<uint8_t>(column);
  if (box) {
    fixed.left = box->left;
    fixed.top = box->top;
    fixed.right = box->right;
    fixed.bottom = box->bottom;
  }
  return WriteTextRecord(file, &fixed, sizeof fixed, title, TextLength(title, title_length));
}

// The hot path of table output: assembled in place, one WriteFile.
BOOL WritePageRow(HANDLE file, char type, int column, const RECT* box, UINT flags, int text_length,
                  const char* text) {
  if (!file) return FALSE;
  size_t n = TextLength(text, text_length);
  if (n > kPageRecordMaxLength - sizeof(PageCellRecord)) n = kPageRecordMaxLength - sizeof(PageCellRecord);
  const size_t length = sizeof(PageCellRecord) + n;
  unsigned char stack[kStackRecord];
  unsigned char* record = stack;
  if (length > sizeof stack) {
    record = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, length));
    if (!record) return FALSE;
  }
  PageCellRecord* cell = reinterpret_cast<PageCellRecord*>(record);
  cell->header.length = static_cast<uint16_t>(length);
  cell->header.type = static_cast<uint8_t>(type);
  cell->column = static_cast<uint8_t>(column);
  cell->flags = static_cast<uint16_t>(flags);
  cell->top = box ? box->top : 0;
  cell->bottom = box ? box->bottom : 0;
  if (n) std::memcpy(record + offsetof(PageCellRecord, text), text, n);
  record[length - 1] = 0;
  const BOOL ok = WritePageFileData(file, record, static_cast<DWORD>(length));
  if (record != stack) HeapFree(GetProcessHeap(), 0, record);
  return ok;
}

BOOL WritePageGrid(HANDLE file) {
  PageGridRecord record = {};
  SetHeader(&record, sizeof record, kPageRecordGrid);
  return WritePageFileData(file, &record, sizeof record);
}

BOOL WritePageEnd(HANDLE file) {
  PageRecordHeader record;
  SetHeader(&record, sizeof record, kPageRecordEnd);
  return WritePageFileData(file, &record, sizeof record);
}
