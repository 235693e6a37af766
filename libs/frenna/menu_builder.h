// A script's nested popup menus, assembled item by item under a menu it
// already has (the root, which the builder never owns). Each popup is
// recorded with a key the script chooses; items and further popups go into
// the first popup recorded with a given key. Item commands are cmd + 40000,
// the range the host hands to scripts.
#pragma once
#include <windows.h>

#include <cstdint>

class MenuBuilder {
 public:
  static const int kMaxPopups = 32;
  static const int32_t kCommandBase = 40000;

  explicit MenuBuilder(HMENU root) : root_(root) {}
  // Popups that never went into a menu belong to no one else: destroyed.
  ~MenuBuilder();
  MenuBuilder(const MenuBuilder&) = delete;
  MenuBuilder& operator=(const MenuBuilder&) = delete;

  // cmd 0: a new popup (key ind) appended with the caption text to the
  // first earlier popup with key own; cmd 1-9 with own 0: a new popup
  // inserted into the root before position cmd; any other request: an item
  // (a separator for a text starting with '-') in the first popup with key
  // own, with the command cmd + 40000.
  BOOL Add(int32_t ind, int32_t own, int32_t cmd, const char* text);

 private:
  struct Popup {
    HMENU menu;
    int32_t key;
    bool inserted;
  };

  // A new recorded popup, or null when the builder is full or the menu
  // cannot be made.
  Popup* NewPopup(int32_t key);
  // The first of the first `among` recorded popups with the key, or null.
  Popup* FindPopup(int32_t key, uint16_t among);

  HMENU root_;
  Popup popups_[kMaxPopups] = {};
  uint16_t count_ = 0;
};
