// Paint: the current page from its '#' record to the next '#' or the end.
#include "page_drawer.h"
#include "view_parts.h"

using namespace selvy;

void PaintView(PageView* view, HDC dc) {
  RECT client;
  GetClientRect(view->window, &client);
  view->clientWidth = client.right;
  view->clientHeight = client.bottom;
  if (!view->Loaded()) return;
  PageRecord page = FindPage(view->buffer, view->dataLength, view->page);
  if (page.End()) return;
  PageDrawer drawer(dc, view);
  drawer.StartPage(view->buffer + page.offset);
  for (PageRecord r = NextRecord(view->buffer, view->dataLength, page); !r.End() && r.type != kPageRecord;
       r = NextRecord(view->buffer, view->dataLength, r))
    drawer.Draw(view->buffer, r);
  drawer.FinishPage();
}
