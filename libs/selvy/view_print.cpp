// Menu 40101: every page of the buffer on the chosen printer, in its own
// units, through the print library's job with its progress dialog.
#include "grusk.h"
#include "page_drawer.h"
#include "view_parts.h"
#include "wennic.h"

using namespace selvy;

namespace {

const int kStartPageFailed = 104, kEndPageFailed = 105, kFirstPageFailed = 108;

// Draws the pages; 0 or the message number of the failure.
int DrawPages(PageView* view, HDC dc) {
  if (StartPage(dc) < 1) return kFirstPageFailed;
  PageDrawer drawer(dc, nullptr);
  PageRecord r = RecordAt(view->buffer, view->dataLength, 0);
  drawer.StartPage(view->buffer + r.offset);
  for (r = NextRecord(view->buffer, view->dataLength, r);; r = NextRecord(view->buffer, view->dataLength, r)) {
    if (r.End() || r.type == kPageRecord) {
      drawer.FinishPage();
      if (EndPage(dc) < 0) return kEndPageFailed;
      if (r.End()) return 0;
      if (StartPage(dc) < 1) return kStartPageFailed;
      drawer.StartPage(view->buffer + r.offset);
      continue;
    }
    drawer.Draw(view->buffer, r);
  }
}

}  // namespace

BOOL PrintPages(PageView* view) {
  if (!view->Loaded()) return FALSE;
  HWND window = view->window;
  char name[129] = "";
  if (view->owner) GetWindowTextA(view->owner, name, sizeof name);
  HDC dc = PRNCREATE();
  int error = static_cast<int>(PRNSTART(window, dc, name));
  if (!error) {
    error = DrawPages(view, dc);
    int stopped = static_cast<int>(PRNSTOP(window, dc));
    if (!error) error = stopped;
  }
  if (dc) DeleteDC(dc);
  if (error) ERRBOX(window, error, 0, nullptr);
  return error ? FALSE : TRUE;
}
