// A record table's stored settings in KORVEX.INI (Windows directory): under
// the table's name the column modes ("TableTune", one letter a field: 'H'
// hidden, 'F' full, 'N' normal), the sort order ("TableSort") and the font
// ("TableFont": face, points, bold); under "Main" the marker ("TableMarker":
// width, colour). These are the pieces that neither need the table window's
// record nor the grid engine: the record set, the table window and the
// section are handed in.
#pragma once
#include <windows.h>

class RecordSetObject;

extern const char kTableSettingsFile[];  // "KORVEX.INI"
extern const char kMarkerSection[];      // "Main"

// Change bits of reading the settings and of the FORMAT page.
enum : DWORD {
  kTuneModesChanged = 1,
  kTuneSortChanged = 2,
};

// Longest stored sort text read back, and the longest field name taken
// into a sort text.
const int kSortTextLength = 49;
const int kSortNameLength = 15;
// Font sizes offered and kept, in points.
const int kFontSizeLowest = 4;
const int kFontSizeHighest = 20;

// The display mode of a column as a stored letter: hidden 'H', full 'F',
// anything else (fixed or normal) 'N'.
char ColumnModeLetter(RecordSetObject* records, unsigned long column);
// 'H' hides the column, 'F' makes it full, any other letter normal.
void ApplyColumnModeLetter(RecordSetObject* records, unsigned long column, char letter);
// The letters of all columns, field 1 first (at most size - 1 of them).
void ColumnModeLetters(RecordSetObject* records, char* letters, int size);

struct TableFontSetting {
  char face[LF_FACESIZE];  // at most 31 characters
  int size;                // points as stored (0 when missing or not a number)
  int bold;                // 0 or 1
};
// "face,size,bold": the face up to the first ',', then the size and the
// flag separated by ',' or blanks. Nothing there: all zero.
TableFontSetting ParseTableFont(const char* text);
// A font of the face (at most 31 characters of it are kept), the size in
// points on the window's screen (LOGPIXELSY) and weight 600 when bold;
// 0 when none could be made.
HFONT CreateTableFont(HWND window, const char* face, int size, bool bold);

struct TableMarkerSetting {
  long width;
  COLORREF colour;
};
// "width,colour", each read as atol reads it.
TableMarkerSetting ParseTableMarker(const char* text);

// The section of a table named by its atom: at most 31 characters; empty
// when there is no atom (settings are then neither read nor written).
void TableSectionName(ATOM name, char section[32]);

// What reading the settings acts on.
struct TableSettingsTarget {
  HWND window;               // the table: it gets the font (WM_SETFONT)
  RecordSetObject* records;  // its record set
  const char* section;       // non-empty
  bool sort;                 // the table lets the settings set the order
};
// Column modes (bit kTuneModesChanged when a letter was applied), the sort
// order with `sort` (kTuneSortChanged when it was replaced) and the font.
DWORD ApplyTableSettings(const TableSettingsTarget& target);
// The stored marker of "Main"; false when there is none.
bool ReadTableMarker(TableMarkerSetting* marker);
