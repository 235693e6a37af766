// MENU(menu, a, b): popup menus built and shown by scripts. A chosen item
// reaches the script window as WM_COMMAND with the item's own id.
#include "host_globals.h"
#include "keyword_list.h"
#include "window_builtin_entries.h"

namespace {

const char kOperations[] = "DISABLE\0ENABLE\0REMOVE\0SUBMENU\0REFRESH\0";
enum Operation { kAppend = 0, kDisable, kEnable, kRemove, kSubmenu, kRefresh };

HMENU AsMenu(int32_t value) { return reinterpret_cast<HMENU>(static_cast<intptr_t>(value)); }
int32_t AsLong(HMENU menu) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(menu)); }

// At the point (x, y) of the script window's client area; the menu is
// destroyed afterwards.
bool TrackPopup(WindowBuiltinFrame& f, HMENU menu, int32_t x, int32_t y) {
  HWND window = f.Window();
  POINT at = {x, y};
  ClientToScreen(window, &at);
  BOOL shown = TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, window, nullptr);
  DestroyMenu(menu);
  f.Result().SetBool(shown ? 1 : 0);
  return true;
}

bool TextOperation(WindowBuiltinFrame& f, HMENU menu, const char* text, int32_t id) {
  VARIABLE& result = f.Result();
  if (text[0] == '-') {
    result.SetBool(AppendMenuA(menu, MF_SEPARATOR, 0, nullptr) ? 1 : 0);
    return true;
  }
  UINT item = static_cast<UINT>(id);
  switch (KeywordIndex(kOperations, text)) {
    case kDisable:
      // The previous state: MF_ENABLED 0, MF_GRAYED 1, -1 for no such item.
      result.SetLong(static_cast<int32_t>(EnableMenuItem(menu, item, MF_BYCOMMAND | MF_GRAYED)));
      break;
    case kEnable:
      result.SetLong(static_cast<int32_t>(EnableMenuItem(menu, item, MF_BYCOMMAND | MF_ENABLED)));
      break;
    case kRemove:
      result.SetBool(DeleteMenu(menu, item, MF_BYCOMMAND) ? 1 : 0);
      break;
    case kSubmenu:
      result.SetLong(AsLong(GetSubMenu(menu, id)));
      break;
    case kRefresh:
      SendMessageA(MdiClient, WM_MDIREFRESHMENU, 0, 0);
      DrawMenuBar(FrameWindow);
      result.SetBool(1);
      break;
    default:
      result.SetBool(AppendMenuA(menu, MF_STRING, item, text) ? 1 : 0);
      break;
  }
  return true;
}

}  // namespace

bool RunMenu(WindowBuiltinFrame& f) {
  int32_t b, handle;
  if (!f.PopLong(b)) return false;
  VARIABLE* a = f.Pop();
  if (!a) return false;
  if (a->type != VAL_LONG && a->type != VAL_STRING) return f.Fail(kWindowErrorArgumentType);
  if (!f.PopLong(handle)) return false;
  if (handle == 0) {
    f.Result().SetLong(AsLong(CreatePopupMenu()));
    return true;
  }
  HMENU menu = AsMenu(handle);
  if (a->type == VAL_LONG) return TrackPopup(f, menu, a->lng, b);
  return TextOperation(f, menu, TextOf(*a), b);
}
