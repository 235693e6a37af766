#include "table_settings.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "record_set_object.h"

const char kTableSettingsFile[] = "KORVEX.INI";
const char kMarkerSection[] = "Main";

namespace {

const char kTuneKey[] = "TableTune";
const char kSortKey[] = "TableSort";
const char kFontKey[] = "TableFont";
const char kMarkerKey[] = "TableMarker";

bool IsSeparator(char c) { return c == ',' || c == ' ' || c == '\t'; }

// The next token after `at` (separators skipped); at moves past it.
const char* NextToken(const char*& at) {
  while (*at && IsSeparator(*at)) ++at;
  const char* token = at;
  while (*at && !IsSeparator(*at)) ++at;
  return token;
}

}  // namespace

char ColumnModeLetter(RecordSetObject* records, unsigned long column) {
  if (records->FieldOption(column, 10)) return 'H';
  if (records->FieldOption(column, 11)) return 'F';
  return 'N';
}

void ApplyColumnModeLetter(RecordSetObject* records, unsigned long column, char letter) {
  records->FieldOption(column, letter == 'H' ? 1 : letter == 'F' ? 2 : 4);
}

void ColumnModeLetters(RecordSetObject* records, char* letters, int size) {
  if (size <= 0) return;
  long count = records->FieldCount();
  int n = 0;
  for (; n < count && n < size - 1; ++n) letters[n] = ColumnModeLetter(records, n + 1);
  letters[n] = 0;
}

TableFontSetting ParseTableFont(const char* text) {
  TableFontSetting font = {};
  if (!text) return font;
  const char* comma = std::strchr(text, ',');
  size_t length = comma ? static_cast<size_t>(comma - text) : std::strlen(text);
  if (length > LF_FACESIZE - 1) length = LF_FACESIZE - 1;
  std::memcpy(font.face, text, length);
  font.face[length] = 0;
  if (!comma) return font;
  const char* at = comma + 1;
  font.size = std::atoi(NextToken(at));
  font.bold = std::atoi(NextToken(at)) != 0;
  return font;
}

HFONT CreateTableFont(HWND window, const char* face, int size, bool bold) {
  LOGFONTA font = {};
  HDC dc = GetDC(window);
  font.lfHeight = -MulDiv(size, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(window, dc);
  font.lfWeight = bold ? 600 : 0;
  // The system's code page (1251), not the Western glyphs of ANSI_CHARSET
  // (0): the texts shown are Russian.
  font.lfCharSet = DEFAULT_CHARSET;
  // The face takes at most 31 characters and its NUL (LOGFONT's 32 bytes).
  if (face) lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

TableMarkerSetting ParseTableMarker(const char* text) {
  TableMarkerSetting marker = {0, 0};
  if (!text) return marker;
  marker.width = std::atol(text);
  const char* comma = std::strchr(text, ',');
  marker.colour = comma ? static_cast<COLORREF>(std::atol(comma + 1)) : 0;
  return marker;
}

void TableSectionName(ATOM name, char section[32]) {
  section[0] = 0;
  if (name && !GetAtomNameA(name, section, 32)) section[0] = 0;
}

DWORD ApplyTableSettings(const TableSettingsTarget& target) {
  DWORD changed = 0;
  RecordSetObject* records = target.records;
  const char* section = target.section;

  // Column modes: a letter a field, fields beyond the stored text normal.
  long count = records->FieldCount();
  if (count > 0) {
    std::vector<char> tune(static_cast<size_t>(count) + 1, 0);
    if (GetPrivateProfileStringA(section, kTuneKey, "", tune.data(), count + 1,
                                 kTableSettingsFile) > 0) {
      for (long field = 1; field <= count; ++field) {
        // Any letter but 'H' and 'F', or none, stands for a normal column.
        char stored = tune[field - 1] == 'H' || tune[field - 1] == 'F' ? tune[field - 1] : 'N';
        if (stored == ColumnModeLetter(records, field)) continue;
        ApplyColumnModeLetter(records, field, stored);
        changed |= kTuneModesChanged;
      }
    }
  }

  // The order, only where the table allows it. An empty text would leave
  // "ORDER BY" without columns in the query: it changes nothing.
  if (target.sort) {
    char stored[kSortTextLength + 1] = "";
    if (GetPrivateProfileStringA(section, kSortKey, "", stored, sizeof stored,
                                 kTableSettingsFile) > 0) {
      char current[256] = "";
      records->GetSort(current, sizeof current);
      if (lstrcmpiA(stored, current) != 0 && records->SetSort(stored))
        changed |= kTuneSortChanged;
    }
  }

  char text[128] = "";
  if (GetPrivateProfileStringA(section, kFontKey, "", text, sizeof text, kTableSettingsFile) > 0) {
    TableFontSetting stored = ParseTableFont(text);
    if (HFONT font = CreateTableFont(target.window, stored.face, stored.size, stored.bold != 0))
      SendMessageA(target.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  }
  return changed;
}

bool ReadTableMarker(TableMarkerSetting* marker) {
  char text[64] = "";
  if (GetPrivateProfileStringA(kMarkerSection, kMarkerKey, "", text, sizeof text,
                               kTableSettingsFile) == 0)
    return false;
  *marker = ParseTableMarker(text);
  return true;
}
