// Scrolling: 5 units a line, the client's width or height a page, the
// thumb's position; stopped at 0 and at the range's maximum.
#include "view_parts.h"

void ScrollView(PageView* view, int bar, int request, int thumb) {
  int32_t* position = bar == SB_HORZ ? &view->hPos : &view->vPos;
  int32_t pageSize = bar == SB_HORZ ? view->clientWidth : view->clientHeight;
  int least = 0, most = 0;
  GetScrollRange(view->window, bar, &least, &most);
  int32_t wanted = *position;
  switch (request) {
    case SB_LINEUP:
      wanted -= 5;
      break;
    case SB_LINEDOWN:
      wanted += 5;
      break;
    case SB_PAGEUP:
      wanted -= pageSize;
      break;
    case SB_PAGEDOWN:
      wanted += pageSize;
      break;
    case SB_THUMBPOSITION:
      wanted = thumb;
      break;
    default:
      return;
  }
  if (wanted > most) wanted = most;
  if (wanted < 0) wanted = 0;
  *position = wanted;
  SetScrollPos(view->window, bar, wanted, TRUE);
  InvalidateRect(view->window, nullptr, TRUE);
}
