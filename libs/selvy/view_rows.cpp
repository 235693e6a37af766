// Rows added above or below, or deleted, at the last right click.
#include "record_edit.h"
#include "selvy_ids.h"
#include "view_parts.h"

bool EditRows(PageView* view, int command) {
  if (!view->Loaded()) return false;
  double y = (view->clickY + view->vPos) / view->yScale;
  BYTE** buffer = &view->buffer;
  if (command == IDM_ROW_DELETE) return selvy::DeleteRow(buffer, &view->dataLength, view->page, y);
  return selvy::AddRow(buffer, &view->dataLength, view->page, y, command == IDM_ROW_BELOW);
}
