#include "query_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "library_frame.h"
#include "record_set.h"

namespace {

enum : int {
  kDialog = 101,
  kQueryText = 1000,
  kColumnList = 1002,
  kRecordCount = 1003,
  kCopyQuery = 1004,
  kCopyColumns = 1005,
};
const int kLineLength = 64;  // a clipboard line: 63 characters, then CR LF
const int kCellSize = 64;

// The list's column titles and widths in widths of "N".
struct ListColumn {
  const char* title;
  int width;
};
const ListColumn kListColumns[] = {
    {"Name", 12}, {"SQL type", 8}, {"C type", 6}, {"Type", 4}, {"Size", 7}};

void GiveToClipboard(HWND dialog, HGLOBAL block) {
  if (!OpenClipboard(dialog)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
  CloseClipboard();
}

HGLOBAL TextBlock(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, text.size() + 1);
  if (!block) return nullptr;
  if (char* p = static_cast<char*>(GlobalLock(block))) {
    std::memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
  }
  return block;
}

void CopyQuery(HWND dialog) {
  HWND edit = GetDlgItem(dialog, kQueryText);
  int length = GetWindowTextLengthA(edit);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(edit, &text[0], length + 1);
  text.resize(std::strlen(text.c_str()));
  if (HGLOBAL block = TextBlock(text)) GiveToClipboard(dialog, block);
}

// One line per list row: its five texts joined by tabs, at most 63
// characters, then CR LF.
void CopyColumns(HWND dialog) {
  HWND list = GetDlgItem(dialog, kColumnList);
  int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  std::string text;
  for (int row = 0; row < rows; ++row) {
    std::string line;
    for (int sub = 0; sub < 5; ++sub) {
      char cell[kCellSize] = "";
      LVITEMA item = {};
      item.iSubItem = sub;
      item.pszText = cell;
      item.cchTextMax = sizeof cell;
      SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
      if (sub) line += '\t';
      line += cell;
    }
    if (line.size() > kLineLength - 1) line.resize(kLineLength - 1);
    text += line + "\r\n";
  }
  if (HGLOBAL block = TextBlock(text)) GiveToClipboard(dialog, block);
}

INT_PTR CALLBACK QueryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      RecordSet* set = reinterpret_cast<RecordSet*>(lParam);
      set->ShowQueryText(GetDlgItem(dialog, kQueryText));
      set->ShowColumns(GetDlgItem(dialog, kColumnList));
      char count[16];
      std::snprintf(count, sizeof count, "%lu", static_cast<unsigned long>(set->RecordCount()));
      SetDlgItemTextA(dialog, kRecordCount, count);
      SetWindowTextA(dialog, set->name());
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, 1);
          return TRUE;
        case kCopyQuery:
          CopyQuery(dialog);
          return TRUE;
        case kCopyColumns:
          CopyColumns(dialog);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

const char* SqlTypeName(int sqlType) {
  static const char* const kPositive[] = {"CHAR", "NUMERIC", "DECIMAL", "INTEGER",
                                          "SMALLINT", "FLOAT", "REAL", "DOUBLE",
                                          "DATE", "TIME", "TIMESTAMP", "VARCHAR"};
  static const char* const kNegative[] = {"LONGVARCHAR", "BINARY", "VARBINARY", "LONGVARBINARY",
                                          "BIGINT", "TINYINT", "BIT", "GUID"};
  if (sqlType >= 1 && sqlType <= 12) return kPositive[sqlType - 1];
  if (sqlType <= -1 && sqlType >= -8) return kNegative[-sqlType - 1];
  if (sqlType == SQL_GUID) return "GUID";
  return "UNKNOWN";
}

const char* CTypeName(int cType) {
  switch (cType) {
    case SQL_C_CHAR: return "CHAR";
    case SQL_C_TIMESTAMP: return "TIMESTAMP";
    case SQL_C_BINARY: return "BINARY";
    case SQL_C_BIT: return "BIT";
    case SQL_C_DOUBLE: return "DOUBLE";
    case SQL_C_GUID: return "GUID";
    default: return "DEFAULT";
  }
}

void RecordSet::ShowQueryText(HWND window) { SetWindowTextA(window, QueryText()); }

void RecordSet::ShowColumns(HWND list) {
  SIZE letter = {8, 8};
  if (HDC dc = GetDC(list)) {
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, "N", 1, &letter);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
  }
  for (int i = 0; i < 5; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(kListColumns[i].title);
    column.cx = kListColumns[i].width * letter.cx;
    column.iSubItem = i;
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  for (uint16_t i = 0; i < columnCount_; ++i) {
    const Column& c = columns_[i];
    char letterText[2] = {c.letter, '\0'};
    char size[48];
    std::snprintf(size, sizeof size, "%u,%u (%u)", static_cast<unsigned>(c.displayWidth),
                  static_cast<unsigned>(c.decimals), static_cast<unsigned>(c.size));
    const char* texts[5] = {c.name, (c.flags & kColumnMoney) ? "MONEY" : SqlTypeName(c.sqlType),
                            CTypeName(c.cType), letterText, size};
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(texts[0]);
    int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int sub = 1; sub < 5; ++sub) {
      item.iItem = row;
      item.iSubItem = sub;
      item.pszText = const_cast<char*>(texts[sub]);
      SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
  }
}

INT_PTR ShowQueryDialog(RecordSet* recordSet, HWND owner) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return DialogBoxParamA(hInst, MAKEINTRESOURCEA(kDialog), owner, QueryDialogProc,
                         reinterpret_cast<LPARAM>(recordSet));
}
