// RecordSetObject: the one interface through which the system reads and
// edits tabular data. Praxel implements it over an ODBC statement; the
// grid, tree, form and dialog-control libraries only call it, through the
// object's address that a script hands them, without importing Praxel.
//
// The order of the 28 operations below is a binary contract between
// separately built libraries: never reorder, insert or remove one. Every
// argument and result is one 32-bit word; of column numbers and the other
// small numbers only the low 16 bits count. Records count from 1 to
// RecordCount, columns from 1 to FieldCount; column 0 is not a column
// (GetFieldText answers the current record number for it).
//
// The object is made and destroyed only inside Praxel (PRAXEL_New,
// PRAXEL_Close): there is no virtual destructor, and a consumer never
// deletes one.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Type letters of a column: 'C' text, 'N' whole number, 'F' number with
// decimals, 'D' date, 'T' date and time, 'L' logical, 'M' long text, 'B'
// binary, 'I' image (long binary). FieldBuffer 'T' reports '$' for a MONEY
// column.
//
// Results of the text operations carry the length in the low 16 bits;
// GetFieldText and GetFooter add kNumberText when the text is a number
// (right-aligned in tables).
const long kNumberText = 0x20000;

// Display modes (FieldOption 1-4 set them, 10-13 test them).
enum : int {
  kModeHidden = 0,
  kModeFixed = 1,
  kModeFull = 2,
  kModeNormal = 3,
};

// The request block of FieldBuffer; it crosses PRAXEL_FldBuf, so its layout
// is fixed (packed, 10 bytes).
//   'T' type:  data = the column record, size = column size, type = letter
//   'S' size:  type and size of the column (of the waiting long data)
//   'R' read:  into data (size bytes); long data with type 'M' comes back in
//              a new block from msvcrt's malloc (every deliverable imports
//              msvcrt.dll, so the caller frees it with free), type 'I' in a
//              new moveable global block (its handle in data)
//   'W' write: from data; long data ('M' text, 'I' global block) waits
//              until the record is written
#pragma pack(push, 1)
struct FieldRequest {
  char command;   // 'T', 'S', 'R', 'W'
  char type;      // type letter (answered by 'T', 'S', 'R'; given to 'W')
  uint32_t size;  // bytes (answered or given)
  void* data;     // data pointer, or the answer of 'T'
};
#pragma pack(pop)
static_assert(sizeof(FieldRequest) == 10, "FieldRequest crosses PRAXEL_FldBuf: 10 bytes");
static_assert(offsetof(FieldRequest, size) == 2 && offsetof(FieldRequest, data) == 6,
              "FieldRequest layout");

class RecordSetObject {
 public:
  // 0: rows per fetched page; returns the object.
  virtual RecordSetObject* SetCacheSize(unsigned long rows) = 0;
  // 1: fetches the page that starts at the record (0: the page's own start,
  // or 1); a record beyond the count is refused (message 93).
  virtual BOOL FetchPage(long first) = 0;
  // 2
  virtual long RecordCount() = 0;
  // 3: makes the record current, fetching the page around it when needed.
  virtual BOOL GoToRecord(long record) = 0;
  // 4-8: editing. NewRecord answers 1.
  virtual long NewRecord() = 0;
  virtual BOOL EditRecord(long record) = 0;
  virtual BOOL InsertRecord() = 0;
  virtual BOOL UpdateRecord(long record) = 0;
  virtual BOOL DeleteRecord(long record) = 0;
  // 9: lowest record whose first sort column matches the pattern (0 when
  // none). The record set must be sorted ascending by that column.
  virtual long Seek(const char* pattern, unsigned long length) = 0;
  // 10: 1 when the current row is deleted (or no row, or in error).
  virtual long IsDeleted() = 0;
  // 11: the column of a field name (qualified, quoted, or at the start of
  // a longer text), 0 when unknown.
  virtual long FieldIndex(const char* name) = 0;
  // 12: copies the name (at most size - 1 characters); its length.
  virtual long FieldName(unsigned long column, char* buffer, long size) = 0;
  // 13
  virtual long FieldCount() = 0;
  // 14: display width in characters (negative: a text column's width that
  // may shrink); with asText, the length of the column's text form.
  virtual long FieldWidth(unsigned long column, BOOL asText) = 0;
  // 15: stores a user width; answers FieldWidth(column, 0).
  virtual long SetFieldWidth(unsigned long column, unsigned long width) = 0;
  // 16: sets or tests the display mode and flags (codes 1-23).
  virtual long FieldOption(unsigned long column, unsigned long code) = 0;
  // 17: the type letter, 0 for a bad column.
  virtual long FieldType(unsigned long column) = 0;
  // 18: the text after the last "ORDER BY " into buffer (may be null);
  // answers the first sort column (0 when unsorted).
  virtual long GetSort(char* buffer, long size) = 0;
  // 19: replaces the order clause; the next refresh prepares the query.
  virtual BOOL SetSort(const char* order) = 0;
  // 20: the WM_COMMAND id a window sends its owner for the column.
  virtual long FieldEvent(unsigned long) { return 0; }
  // 21: raw access to a column (FieldRequest).
  virtual BOOL FieldBuffer(unsigned long, FieldRequest*) { return 0; }
  // 22, 23: the column's text in the current row (length, + kNumberText).
  virtual long GetFieldTextByName(const char* name, char* buffer, long size) = 0;
  virtual long GetFieldText(unsigned long column, char* buffer, long size) = 0;
  // 24, 25: converts a text into the current row (the edit buffer).
  virtual BOOL PutFieldTextByName(const char* name, const char* text, long length) = 0;
  virtual BOOL PutFieldText(unsigned long column, const char* text, long length) = 0;
  // 26: the footer text; without a buffer, (lines << 16) | length.
  virtual long GetFooter(unsigned long column, char* buffer, long size) = 0;
  // 27: "BEGIN", "COMMIT" or "ROLLBACK" on the record set's connection.
  virtual BOOL Transaction(const char*) { return 1; }

 protected:
  RecordSetObject() = default;
  ~RecordSetObject() = default;
  RecordSetObject(const RecordSetObject&) = delete;
  RecordSetObject& operator=(const RecordSetObject&) = delete;
};
