#include "menu_builder.h"

namespace {

// cmd 0 nests a popup in the popup own; cmd 1-9 with own 0 (the root has
// no key) put one into the root; every other request is an item of own.
bool IsPopupRequest(int32_t own, int32_t cmd) {
  return cmd == 0 || (own == 0 && cmd >= 1 && cmd <= 9);
}

}  // namespace

MenuBuilder::~MenuBuilder() {
  for (uint16_t i = 0; i < count_; ++i)
    if (!popups_[i].inserted) DestroyMenu(popups_[i].menu);
}

MenuBuilder::Popup* MenuBuilder::NewPopup(int32_t key) {
  if (count_ >= kMaxPopups) return nullptr;
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  popups_[count_] = {menu, key, false};
  return &popups_[count_++];
}

MenuBuilder::Popup* MenuBuilder::FindPopup(int32_t key, uint16_t among) {
  for (uint16_t i = 0; i < among; ++i)
    if (popups_[i].key == key) return &popups_[i];
  return nullptr;
}

BOOL MenuBuilder::Add(int32_t ind, int32_t own, int32_t cmd, const char* text) {
  if (!text) text = "";
  if (!IsPopupRequest(own, cmd)) {
    Popup* owner = FindPopup(own, count_);
    if (!owner) return FALSE;
    if (text[0] == '-') return AppendMenuA(owner->menu, MF_SEPARATOR, 0, nullptr);
    return AppendMenuA(owner->menu, MF_STRING, static_cast<uint32_t>(cmd) + kCommandBase, text);
  }
  // A new popup is never its own owner: only those recorded before it count.
  uint16_t earlier = count_;
  Popup* popup = NewPopup(ind);
  if (!popup) return FALSE;
  if (cmd == 0) {
    Popup* owner = FindPopup(own, earlier);
    if (!owner) return FALSE;
    popup->inserted = AppendMenuA(owner->menu, MF_POPUP | MF_STRING,
                                  reinterpret_cast<UINT_PTR>(popup->menu), text);
  } else {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_SUBMENU | MIIM_STRING;
    item.hSubMenu = popup->menu;
    item.dwTypeData = const_cast<char*>(text);
    popup->inserted = InsertMenuItemA(root_, static_cast<UINT>(cmd), TRUE, &item);
  }
  return popup->inserted;
}
