// The menu builder's exports called as the binder calls them: nested popups
// under a menu of the test, items and separators, keys that repeat or name
// nothing, full builders, handles that name no builder, and the popups that
// never went into a menu.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "library_call.h"

namespace {

class MenuBuilderTest : public ::testing::Test {
 protected:
  uint32_t Builder(HMENU root) { return frenna_("FRENNA_Menu", {Word(root)}); }
  uint32_t Add(uint32_t builder, int32_t ind, int32_t own, int32_t cmd, const char* text) {
    return frenna_("FRENNA_Add", {builder, static_cast<uint32_t>(ind), static_cast<uint32_t>(own),
                                  static_cast<uint32_t>(cmd), Word(text)});
  }
  void Close(uint32_t builder) { frenna_("FRENNA_Close", {builder}); }

  LibraryCall frenna_{"FRENNA"};
};

// "text id" of each item, "text >" for a popup, "-" for a separator.
std::vector<std::string> Items(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = "";
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = sizeof text;
    GetMenuItemInfoA(menu, i, TRUE, &item);
    if (item.fType & MFT_SEPARATOR)
      items.push_back("-");
    else if (item.hSubMenu)
      items.push_back(std::string(text) + " >");
    else
      items.push_back(std::string(text) + " " + std::to_string(item.wID));
  }
  return items;
}

TEST_F(MenuBuilderTest, NestedPopupsItemsAndSeparators) {
  HMENU root = CreateMenu();
  AppendMenuA(root, MF_STRING, 40100, "A");
  AppendMenuA(root, MF_STRING, 40101, "B");
  uint32_t p = Builder(root);
  ASSERT_NE(0u, p);
  EXPECT_EQ(1u, Add(p, 1, 0, 1, "Файл"));
  EXPECT_EQ(1u, Add(p, 2, 1, 0, "Экспорт"));
  EXPECT_EQ(1u, Add(p, 0, 2, 5, "CSV"));
  EXPECT_EQ(1u, Add(p, 0, 2, 12, "-x"));
  EXPECT_EQ(0u, Add(p, 0, 7, 5, "Y")) << "no popup has key 7";
  EXPECT_EQ(0u, Add(p, 3, 3, 0, "Сам")) << "a new popup is not its own owner";

  EXPECT_EQ((std::vector<std::string>{"A 40100", "Файл >", "B 40101"}), Items(root));
  HMENU file = GetSubMenu(root, 1);
  EXPECT_EQ((std::vector<std::string>{"Экспорт >"}), Items(file));
  EXPECT_EQ((std::vector<std::string>{"CSV 40005", "-"}), Items(GetSubMenu(file, 0)));

  // Texts starting with '-' are separators for any item command, captions
  // for popups; keys repeat, and the first popup recorded with one serves.
  EXPECT_EQ(1u, Add(p, 1, 0, 2, "-Второй"));
  EXPECT_EQ(1u, Add(p, 0, 1, -40000, "Ноль"));
  EXPECT_EQ(1u, Add(p, 0, 1, -1, "-"));
  EXPECT_EQ(1u, Add(p, 0, 1, 10, nullptr));
  EXPECT_EQ(1u, Add(p, 4, 2, 0, "-Вложенный"));
  EXPECT_EQ((std::vector<std::string>{"A 40100", "Файл >", "-Второй >", "B 40101"}), Items(root));
  EXPECT_EQ((std::vector<std::string>{"Экспорт >", "Ноль 0", "-", " 40010"}), Items(file));
  EXPECT_EQ((std::vector<std::string>{"CSV 40005", "-", "-Вложенный >"}),
            Items(GetSubMenu(file, 0)));
  EXPECT_EQ(0, GetMenuItemCount(GetSubMenu(root, 2)));

  // A position past the root's items appends.
  EXPECT_EQ(1u, Add(p, 9, 0, 9, "Дальний"));
  EXPECT_EQ(1u, Add(p, 0, 9, 1, "Пункт"));
  EXPECT_EQ((std::vector<std::string>{"Пункт 40001"}), Items(GetSubMenu(root, 4)));

  // Closing frees the builder only: the menus stay the root's.
  Close(p);
  EXPECT_EQ(0u, Add(p, 0, 2, 6, "после")) << "a closed builder is unknown";
  Close(p);
  EXPECT_TRUE(IsMenu(file));
  EXPECT_EQ(3, GetMenuItemCount(GetSubMenu(file, 0)));
  DestroyMenu(root);
  EXPECT_FALSE(IsMenu(file));
}

TEST_F(MenuBuilderTest, ThirtyTwoPopupsAndUnknownHandles) {
  HMENU root = CreateMenu();
  uint32_t p = Builder(root);
  ASSERT_NE(0u, p);
  EXPECT_EQ(1u, Add(p, 0, 0, 1, "Корень"));
  for (int i = 1; i < 32; ++i) EXPECT_EQ(1u, Add(p, i, 0, 0, "П")) << i;
  EXPECT_EQ(31, GetMenuItemCount(GetSubMenu(root, 0)));
  EXPECT_EQ(0u, Add(p, 32, 0, 0, "33-й"));
  EXPECT_EQ(0u, Add(p, 32, 0, 1, "33-й"));
  EXPECT_EQ(31, GetMenuItemCount(GetSubMenu(root, 0)));
  EXPECT_EQ(1, GetMenuItemCount(root));
  EXPECT_EQ(1u, Add(p, 0, 31, 77, "Пункт")) << "items take no popup entry";

  EXPECT_EQ(0u, Add(0, 1, 0, 1, "x"));
  EXPECT_EQ(0u, Add(p + 4, 1, 0, 1, "x"));
  Close(0);
  Close(p + 4);
  Close(p);
  DestroyMenu(root);

  // Without a root, popups for it are made and recorded but go nowhere.
  uint32_t rootless = Builder(nullptr);
  ASSERT_NE(0u, rootless);
  EXPECT_EQ(0u, Add(rootless, 1, 0, 1, "x"));
  EXPECT_EQ(1u, Add(rootless, 2, 1, 0, "y"));
  EXPECT_EQ(1u, Add(rootless, 0, 2, 3, "z"));
  Close(rootless);
}

// Popups that never went into a menu are the builder's alone: closing it
// destroys them. Were they left, the process's user handles would run out
// (a few tens of thousands under Wine) and no popup could be made.
TEST_F(MenuBuilderTest, ClosingDestroysThePopupsNoMenuHolds) {
  for (int round = 0; round < 1200; ++round) {
    uint32_t p = Builder(nullptr);
    ASSERT_NE(0u, p);
    for (int i = 0; i < 32; ++i) ASSERT_EQ(0u, Add(p, i, i, i == 0 ? 1 : 0, "x")) << round;
    Close(p);
  }
  HMENU root = CreateMenu();
  uint32_t p = Builder(root);
  EXPECT_EQ(1u, Add(p, 1, 0, 1, "Есть")) << "popups can still be made";
  Close(p);
  DestroyMenu(root);
}

}  // namespace
