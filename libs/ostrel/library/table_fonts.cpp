#include "table_fonts.h"

#include "grid_window.h"

namespace {

const char kGridProcedure[] = "OSTRELGRIDPROC";

LRESULT CALLBACK FontOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto grid = reinterpret_cast<WNDPROC>(GetPropA(window, kGridProcedure));
  if (message != WM_DESTROY || !grid)
    return grid ? CallWindowProcA(grid, window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
  RecordSetTable* table = GridTableOf(window);
  HFONT font = table ? table->context.font : nullptr;
  LRESULT result = CallWindowProcA(grid, window, message, wParam, lParam);
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(grid));
  RemovePropA(window, kGridProcedure);
  if (font) DeleteObject(font);  // a stock font is left as it is
  return result;
}

}  // namespace

void OwnTableFont(HWND table) {
  LONG_PTR grid = GetWindowLongPtrA(table, GWLP_WNDPROC);
  SetPropA(table, kGridProcedure, reinterpret_cast<HANDLE>(grid));
  SetWindowLongPtrA(table, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FontOwnerProc));
}
