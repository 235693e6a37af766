// The popup menu of a right click, with the row items when the click lies
// in the rows of a table as last painted.
#include "buffer_records.h"
#include "selvy_ids.h"
#include "view_parts.h"

using namespace selvy;

namespace {

// Between the frame's left and right and between the line under the heads
// and the line under the last data row of a 'G' record of the shown page.
bool InTableRows(const PageView* view, int x, int y) {
  if (!view->Loaded()) return false;
  PageRecord r = FindPage(view->buffer, view->dataLength, view->page);
  if (r.End()) return false;
  for (r = NextRecord(view->buffer, view->dataLength, r); !r.End() && r.type != kPageRecord;
       r = NextRecord(view->buffer, view->dataLength, r)) {
    if (r.type != kGridRecord) continue;
    const BYTE* values = view->buffer + r.offset + field::kGridValues;
    int32_t headsLine = Int32At(values, 0), rowsLine = Int32At(values, 4);
    int32_t left = Int32At(values, 8), right = Int32At(values, 16);
    if (x > left && x < right && y > headsLine && y < rowsLine) return true;
  }
  return false;
}

}  // namespace

void ShowViewMenu(PageView* view, int x, int y) {
  view->clickX = x;
  view->clickY = y;
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuA(menu, MF_STRING, IDM_PRINT, "Печать");
  AppendMenuA(menu, MF_STRING, IDM_OPEN, "Прочитать ..");
  AppendMenuA(menu, MF_STRING, IDM_SAVE, "Сохранить как ..");
  if (InTableRows(view, x, y)) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ROW_DELETE, "Удалить строку");
    AppendMenuA(menu, MF_STRING, IDM_ROW_ABOVE, "Добавить строку выше");
    AppendMenuA(menu, MF_STRING, IDM_ROW_BELOW, "Добавить строку ниже");
  }
  POINT at = {x, y};
  ClientToScreen(view->window, &at);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, view->window, nullptr);
  DestroyMenu(menu);
}
