// Dialog 101 "Выравнивание": the text and alignment of the head, cell or
// text under a double click.
#include <string>
#include <vector>

#include "library_frame.h"
#include "buffer_records.h"
#include "record_edit.h"
#include "selvy_ids.h"
#include "view_parts.h"

using namespace selvy;

namespace {

bool Holds(int32_t low, int32_t high, double value) { return value >= low && value < high; }

// The first record of the shown page under the point (page units): a
// head, a cell within its head's columns, or a text within its box.
BYTE* RecordAtPoint(PageView* view, double x, double y) {
  PageRecord r = FindPage(view->buffer, view->dataLength, view->page);
  if (r.End()) return nullptr;
  std::vector<const BYTE*> heads;
  bool groupEnded = false;
  const BYTE* box = nullptr;
  for (r = NextRecord(view->buffer, view->dataLength, r); !r.End() && r.type != kPageRecord;
       r = NextRecord(view->buffer, view->dataLength, r)) {
    BYTE* at = view->buffer + r.offset;
    switch (r.type) {
      case kBoxRecord:
        box = at;
        break;
      case kTextRecord:
        if (box && Holds(Int32At(box, field::kBoxLeft), Int32At(box, field::kBoxRight), x) &&
            Holds(Int32At(box, field::kBoxTop), Int32At(box, field::kBoxBottom), y))
          return at;
        box = nullptr;
        break;
      case kHeadRecord:
        if (groupEnded) heads.clear();
        groupEnded = false;
        heads.push_back(at);
        if (Holds(Int32At(at, field::kHeadLeft), Int32At(at, field::kHeadRight), x) &&
            Holds(Int32At(at, field::kHeadTop), Int32At(at, field::kHeadBottom), y))
          return at;
        break;
      case kCellRecord:
      case kFooterRecord:
        if (groupEnded || !Holds(Int32At(at, field::kCellTop), Int32At(at, field::kCellBottom), y)) break;
        for (const BYTE* head : heads)
          if (head[field::kHeadColumn] == at[field::kCellColumn]) {
            if (Holds(Int32At(head, field::kHeadLeft), Int32At(head, field::kHeadRight), x)) return at;
            break;
          }
        break;
      case kGridRecord:
        groupEnded = true;
        break;
    }
  }
  return nullptr;
}

const int kAlignButtons[] = {IDC_ALIGN_LEFT, IDC_ALIGN_RIGHT, IDC_ALIGN_CENTER};

INT_PTR CALLBACK EditProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PageView* view = reinterpret_cast<PageView*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      view = reinterpret_cast<PageView*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      const BYTE* record = view->editRecord;
      char type = static_cast<char>(record[field::kType]);
      PageRecord r{static_cast<int32_t>(record - view->buffer), UInt16At(record, field::kLength), type};
      RecordText text = TextOf(view->buffer, r, TextOffsetOf(type));
      // The record stays within 65535 bytes.
      SendDlgItemMessageA(dialog, IDC_EDIT_TEXT, EM_LIMITTEXT, MostTextLength(type), 0);
      SetDlgItemTextA(dialog, IDC_EDIT_TEXT, std::string(text.text, text.length).c_str());
      CheckRadioButton(dialog, IDC_ALIGN_LEFT, IDC_ALIGN_CENTER,
                       kAlignButtons[static_cast<int>(AlignmentOf(record))]);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        HWND edit = GetDlgItem(dialog, IDC_EDIT_TEXT);
        std::vector<char> text(GetWindowTextLengthA(edit) + 1);
        int length = GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
        Alignment alignment = IsDlgButtonChecked(dialog, IDC_ALIGN_CENTER) ? Alignment::kCenter
                              : IsDlgButtonChecked(dialog, IDC_ALIGN_RIGHT) ? Alignment::kRight
                                                                            : Alignment::kLeft;
        bool changed = RebuildRecord(&view->buffer, &view->dataLength,
                                     static_cast<int32_t>(view->editRecord - view->buffer), text.data(), length,
                                     alignment);
        EndDialog(dialog, changed ? IDOK : IDCANCEL);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

bool EditRecordAt(PageView* view, int x, int y) {
  if (!view->Loaded()) return false;
  double pageX = (x + view->hPos) / view->xScale, pageY = (y + view->vPos) / view->yScale;
  view->editRecord = RecordAtPoint(view, pageX, pageY);
  if (!view->editRecord) return false;
  HWND window = view->window;
  INT_PTR result = DialogBoxParamA(hInst, MAKEINTRESOURCEA(IDD_EDIT_TEXT), window, EditProcedure,
                                   reinterpret_cast<LPARAM>(view));
  // A handler of the script may have closed the view meanwhile.
  if (ViewOf(window) != view) return false;
  view->editRecord = nullptr;
  return result == IDOK;
}
