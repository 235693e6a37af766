// The page view's handlers, one file each, called by its window procedure.
#pragma once
#include <windows.h>

#include "page_view.h"

// view_paint.cpp: the current page on the screen.
void PaintView(PageView* view, HDC dc);
// view_scroll.cpp: WM_HSCROLL / WM_VSCROLL.
void ScrollView(PageView* view, int bar, int request, int thumb);
// view_menu.cpp: the popup menu at a right click (client coordinates).
void ShowViewMenu(PageView* view, int x, int y);
// view_rows.cpp: menu 40113, 40114, 40115 at the last right click.
bool EditRows(PageView* view, int command);
// edit_dialog.cpp: the edit dialog for the record under a double click;
// true when a record was changed.
bool EditRecordAt(PageView* view, int x, int y);
// view_print.cpp: all pages on the chosen printer.
BOOL PrintPages(PageView* view);
// view_files.cpp: menu 40111 open, 40112 save, 40116 export.
void OpenPageFile(PageView* view);
void SavePageFile(PageView* view);
void ExportFormFile(PageView* view);
