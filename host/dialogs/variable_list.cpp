#include "variable_list.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "blank_helpers.h"
#include "script_font.h"
#include "variable_table.h"

namespace {

const int kNameColumnChars = 9;
const int kTypeColumnChars = 8;
const int kValueColumnChars = 40;
const size_t kValueLimit = 40;
const int kRowNameSize = 48;

enum Column { kNameColumn, kTypeColumn, kValueColumn };

// The key's blank padding goes.
void TrimKey(char* name) {
  size_t n = std::strlen(name);
  while (n > 0 && name[n - 1] == ' ') name[--n] = 0;
}

class RowAdder {
 public:
  explicit RowAdder(HWND listView) : list_(listView) {}

  void Add(const char* name, VARIABLE* value) {
    if (!value) return;
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row_;
    item.pszText = const_cast<char*>(name);
    item.lParam = reinterpret_cast<LPARAM>(value);
    int at = static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0) return;
    SetCell(at, kTypeColumn, VARIABLE::TypeName(value->type));
    std::string text = ListValueText(*value, kValueLimit);
    SetCell(at, kValueColumn, text.c_str());
    if (value->type == VAL_STRING && text.size() > kValueLimit) wide_ = true;
    ++row_;
  }

  bool HasWideValue() const { return wide_; }

 private:
  void SetCell(int row, int column, const char* text) {
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text ? text : "");
    SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
  }

  HWND list_;
  int row_ = 0;
  bool wide_ = false;
};

}  // namespace

int ListCharWidth(HWND listView) {
  HDC dc = GetDC(listView);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(listView, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  int width = DeviceCharWidth(dc);
  if (old) SelectObject(dc, old);
  ReleaseDC(listView, dc);
  return width;
}

void AddListColumn(HWND listView, int index, const char* title, int width) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<char*>(title);
  column.cx = width;
  column.iSubItem = index;
  SendMessageA(listView, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

std::string ListValueText(const VARIABLE& value, size_t limit) {
  if (value.type == VAL_STRING) return value.text ? value.text : "";
  char text[kValueTextSize] = "";
  value.GetText(text, sizeof text, 1);
  return std::string(text).substr(0, limit);
}

VARIABLE* FindListedVariable(VariableTable& variables, const char* rowName) {
  char name[kRowNameSize] = "";
  const char* bracket = std::strchr(rowName, '(');
  if (!bracket) return variables.Find(rowName);
  size_t n = static_cast<size_t>(bracket - rowName);
  if (n == 0 || n >= sizeof name) return nullptr;
  std::memcpy(name, rowName, n);
  int row = 0, col = 0;
  if (std::sscanf(bracket, "(%d,%d)", &row, &col) != 2) return nullptr;
  return variables.FindElement(name, row, col);
}

void FillVariableList(VariableTable& variables, HWND listView) {
  int unit = ListCharWidth(listView);
  AddListColumn(listView, kNameColumn, "Name", kNameColumnChars * unit);
  AddListColumn(listView, kTypeColumn, "Type", kTypeColumnChars * unit);
  AddListColumn(listView, kValueColumn, "Value", kValueColumnChars * unit);

  size_t rows = 0;
  char name[kNameKeySize + 1];
  for (VARIABLE* v = variables.NextVariable(nullptr, name); v; v = variables.NextVariable(v, name))
    ++rows;
  for (ValueMatrix* m = variables.NextArray(nullptr, name); m; m = variables.NextArray(m, name))
    rows += static_cast<size_t>(m->Rows()) * m->Cols();

  SendMessageA(listView, WM_SETREDRAW, FALSE, 0);
  SendMessageA(listView, LVM_SETITEMCOUNT, rows, 0);
  RowAdder adder(listView);
  for (VARIABLE* v = variables.NextVariable(nullptr, name); v; v = variables.NextVariable(v, name)) {
    if (name[0] == '$') continue;
    TrimKey(name);
    adder.Add(name, v);
  }
  for (ValueMatrix* m = variables.NextArray(nullptr, name); m; m = variables.NextArray(m, name)) {
    if (name[0] == '$') continue;
    for (int r = 0; r < m->Rows(); ++r)
      for (int c = 0; c < m->Cols(); ++c) {
        char rowName[kRowNameSize];
        std::snprintf(rowName, sizeof rowName, "%s(%d,%d)", name, r, c);
        RemoveBlanks(rowName, sizeof rowName);
        adder.Add(rowName, m->Element(r, c));
      }
  }
  if (adder.HasWideValue()) {
    int least = kValueColumnChars * unit;
    SendMessageA(listView, LVM_SETCOLUMNWIDTH, kValueColumn, LVSCW_AUTOSIZE);
    if (SendMessageA(listView, LVM_GETCOLUMNWIDTH, kValueColumn, 0) < least)
      SendMessageA(listView, LVM_SETCOLUMNWIDTH, kValueColumn, least);
  }
  SendMessageA(listView, WM_SETREDRAW, TRUE, 0);
}
