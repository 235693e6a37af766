// The FORMAT page "Колонки": one list row per field the user may tune, with
// its mode icon, its sort mark in the columns "1" to "3" and its title.
// Header clicks move marks, a double click or Space turns the mode.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>
#include <vector>

#include "record_set_object.h"
#include "table_settings.h"
#include "tune_ids.h"
#include "tune_page.h"

namespace {

const char kProperty[] = "FORMAT";
const int kMarkColumns = 3;  // list columns 1-3: sort marks 1-3
const int kTitleColumn = 4;

// What a row holds: the field number, its mode letter and its sort mark.
struct Row {
  unsigned field;
  char letter;
  int mark;
};

LPARAM Pack(const Row& row) {
  return static_cast<LPARAM>((row.field & 0xFFFF) |
                             (static_cast<unsigned>(static_cast<unsigned char>(row.letter)) << 16) |
                             (static_cast<unsigned>(row.mark) << 24));
}

Row RowAt(HWND list, int index) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  ListView_GetItem(list, &item);
  unsigned packed = static_cast<unsigned>(item.lParam);
  return Row{packed & 0xFFFF, static_cast<char>((packed >> 16) & 0xFF),
             static_cast<int>(packed >> 24)};
}

int ImageOf(char letter) { return letter == 'F' ? 0 : letter == 'H' ? 1 : 2; }

// Stores the row and shows it: the mode icon and "+" under its mark.
void ShowRow(HWND list, int index, const Row& row) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM | LVIF_IMAGE;
  item.iItem = index;
  item.iImage = ImageOf(row.letter);
  item.lParam = Pack(row);
  ListView_SetItem(list, &item);
  for (int mark = 1; mark <= kMarkColumns; ++mark)
    ListView_SetItemText(list, index, mark, const_cast<char*>(row.mark == mark ? "+" : " "));
}

int SortMark(RecordSetObject* records, unsigned field) {
  for (int mark = 1; mark <= kMarkColumns; ++mark)
    if (records->FieldOption(field, 18 + mark)) return mark;
  return 0;
}

int SelectedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void AddColumn(HWND list, int index, const char* title, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<char*>(title);
  column.cx = width;
  column.iSubItem = index;
  ListView_InsertColumn(list, index, &column);
}

void FillList(HWND page, TuneSubject* subject) {
  HWND list = GetDlgItem(page, IDC_FORMAT_COLUMNS);
  ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

  int iconWidth = GetSystemMetrics(SM_CXSMICON), iconHeight = GetSystemMetrics(SM_CYSMICON);
  HIMAGELIST images = ImageList_Create(iconWidth, iconHeight, ILC_COLOR32 | ILC_MASK, 3, 0);
  HINSTANCE resources = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(page, GWLP_HINSTANCE));
  for (int icon : {IDI_COLUMN_FULL, IDI_COLUMN_HIDDEN, IDI_COLUMN_NORMAL}) {
    HICON handle = static_cast<HICON>(
        LoadImageA(resources, MAKEINTRESOURCEA(icon), IMAGE_ICON, iconWidth, iconHeight, 0));
    ImageList_AddIcon(images, handle);
    DestroyIcon(handle);
  }
  ListView_SetImageList(list, images, LVSIL_SMALL);

  RECT client;
  GetClientRect(list, &client);
  // The mark columns as wide as "NN" plus the list's own cell margins.
  int markWidth = ListView_GetStringWidth(list, "NN") + 12;
  int iconColumn = iconWidth + 6;
  AddColumn(list, 0, "", iconColumn);
  AddColumn(list, 1, "1", markWidth);
  AddColumn(list, 2, "2", markWidth);
  AddColumn(list, 3, "3", markWidth);
  int rest = client.right - iconColumn - kMarkColumns * markWidth - GetSystemMetrics(SM_CXVSCROLL);
  AddColumn(list, kTitleColumn, "Наименование колонки", rest > 0 ? rest : 0);

  RecordSetObject* records = subject->records;
  long count = records->FieldCount();
  int index = 0;
  for (long field = 1; field <= count; ++field) {
    const std::string& title =
        static_cast<size_t>(field) <= subject->titles.size() ? subject->titles[field - 1] : "";
    if (title.size() <= 1 || records->FieldOption(field, 17)) continue;
    Row row{static_cast<unsigned>(field), ColumnModeLetter(records, field),
            SortMark(records, field)};
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>("");
    index = ListView_InsertItem(list, &item);
    std::string listed = ListedTitle(title);
    ListView_SetItemText(list, index, kTitleColumn, const_cast<char*>(listed.c_str()));
    ShowRow(list, index, row);
    ++index;
  }
  if (index > 0) ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED,
                                       LVIS_SELECTED | LVIS_FOCUSED);
}

void Changed(HWND page) { PropSheet_Changed(GetParent(page), page); }

// Header "1" to "3": that mark moves to the selected row; any other header
// takes the selected row's mark away.
void HeaderClicked(HWND page, HWND list, int column) {
  int selected = SelectedRow(list);
  if (selected < 0) return;
  int count = ListView_GetItemCount(list);
  if (column >= 1 && column <= kMarkColumns) {
    for (int i = 0; i < count; ++i) {
      Row row = RowAt(list, i);
      if (row.mark == column && i != selected) ShowRow(list, i, Row{row.field, row.letter, 0});
    }
    Row row = RowAt(list, selected);
    ShowRow(list, selected, Row{row.field, row.letter, column});
  } else {
    Row row = RowAt(list, selected);
    ShowRow(list, selected, Row{row.field, row.letter, 0});
  }
  Changed(page);
}

// hidden -> normal -> full -> hidden; at least one row stays shown.
void TurnMode(HWND page, HWND list) {
  int selected = SelectedRow(list);
  if (selected < 0) return;
  Row row = RowAt(list, selected);
  char next = row.letter == 'H' ? 'N' : row.letter == 'F' ? 'H' : 'F';
  if (next == 'H') {
    int shown = 0;
    for (int i = 0, count = ListView_GetItemCount(list); i < count; ++i)
      if (RowAt(list, i).letter != 'H') ++shown;
    if (shown < 2) {
      MessageBeep(MB_ICONEXCLAMATION);
      return;
    }
  }
  row.letter = next;
  ShowRow(list, selected, row);
  Changed(page);
}

}  // namespace

DWORD SaveTableFormat(TuneSubject* subject, HWND list) {
  RecordSetObject* records = subject->records;
  DWORD changed = 0;
  int count = ListView_GetItemCount(list);
  std::vector<Row> rows;
  for (int i = 0; i < count; ++i) rows.push_back(RowAt(list, i));
  for (const Row& row : rows) {
    if (row.letter != ColumnModeLetter(records, row.field)) {
      ApplyColumnModeLetter(records, row.field, row.letter);
      changed |= kTuneModesChanged;
    }
    if (row.mark != SortMark(records, row.field)) changed |= kTuneSortChanged;
  }
  if ((changed & kTuneModesChanged) && subject->section[0]) {
    std::vector<char> letters(static_cast<size_t>(records->FieldCount()) + 1);
    ColumnModeLetters(records, letters.data(), static_cast<int>(letters.size()));
    WritePrivateProfileStringA(subject->section, "TableTune", letters.data(), kTableSettingsFile);
  }
  if (changed & kTuneSortChanged) {
    std::string order;
    for (int mark = 1; mark <= kMarkColumns; ++mark) {
      const Row* marked = nullptr;
      for (const Row& row : rows)
        if (row.mark == mark) marked = &row;
      if (!marked) break;
      char name[kSortNameLength + 1] = "";
      records->FieldName(marked->field, name, sizeof name);
      if (!order.empty()) order += ',';
      order += name;
    }
    // No mark left: an empty order would leave "ORDER BY" without columns
    // in the query, so the record set keeps its order.
    if (!order.empty() && records->SetSort(order.c_str()) && subject->section[0])
      WritePrivateProfileStringA(subject->section, "TableSort", order.c_str(),
                                 kTableSettingsFile);
  }
  return changed;
}

INT_PTR CALLBACK FormatPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FillList(page, KeepPageSubject(page, kProperty, lParam));
      return TRUE;
    case WM_NOTIFY: {
      TuneSubject* subject = PageSubject(page, kProperty);
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      HWND list = GetDlgItem(page, IDC_FORMAT_COLUMNS);
      if (header->idFrom == IDC_FORMAT_COLUMNS) {
        if (header->code == LVN_COLUMNCLICK)
          HeaderClicked(page, list, reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
        else if (header->code == NM_DBLCLK)
          TurnMode(page, list);
        else if (header->code == LVN_KEYDOWN &&
                 reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey == VK_SPACE)
          TurnMode(page, list);
        return TRUE;
      }
      if (header->code == PSN_APPLY && subject) {
        subject->result = SaveTableFormat(subject, list);
        return AcceptApply(page);
      }
      return FALSE;
    }
    case WM_DESTROY:
      RemovePropA(page, kProperty);
      return FALSE;
  }
  return FALSE;
}
