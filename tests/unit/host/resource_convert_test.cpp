#include <gtest/gtest.h>

#include <string>

#include "dialog16.h"
#include "picture_control.h"
#include "res_builders.h"
#include "resource_menu.h"
#include "resource_reader.h"

namespace {

std::string ItemText(HMENU menu, int position) {
  char text[64] = "";
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST(Menu16, ItemsPopupsSeparatorsAndFlags) {
  Menu16 t;
  t.Popup(0, "&Файл")
      .Item(0, 11, "&Открыть")
      .Item(0, 0, "")  // separator
      .Item(MF_GRAYED | MF_END, 12, "Выход")
      .Popup(MF_CHECKED | MF_END, "&Окна")
      .Item(MF_END, 21, "Рядом");
  HMENU menu = LoadMenu16Data(t.bytes().data(), t.bytes().size());
  ASSERT_NE(nullptr, menu);
  ASSERT_EQ(2, GetMenuItemCount(menu));
  EXPECT_EQ("&Файл", ItemText(menu, 0));
  HMENU file = GetSubMenu(menu, 0);
  ASSERT_EQ(3, GetMenuItemCount(file));
  EXPECT_EQ(11u, GetMenuItemID(file, 0));
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);
  // MF_END shares its bit with MF_HILITE: it must not reach the menu.
  EXPECT_FALSE(GetMenuState(file, 2, MF_BYPOSITION) & MF_HILITE);
  // The checked top-level item names the window list popup; the mark stays.
  HMENU window = FindWindowMenu(menu);
  EXPECT_EQ(GetSubMenu(menu, 1), window);
  EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(21u, GetMenuItemID(window, 0));
  DestroyMenu(menu);

  HGLOBAL block = CopyToGlobal(t.bytes().data(), t.bytes().size());
  menu = LoadMenu16(block);
  EXPECT_NE(nullptr, menu);
  DestroyMenu(menu);
  GlobalFree(block);

  // A level without MF_END runs out of data: no menu, for every cut.
  for (size_t cut = 0; cut < t.bytes().size(); ++cut)
    EXPECT_EQ(nullptr, LoadMenu16Data(t.bytes().data(), cut)) << cut;
  Menu16 unchecked;
  unchecked.Item(MF_END, 5, "x");
  menu = LoadMenu16Data(unchecked.bytes().data(), unchecked.bytes().size());
  EXPECT_EQ(nullptr, FindWindowMenu(menu));
  DestroyMenu(menu);
}

TEST(Menu32, TemplatesFromTheCompiledFileLoad) {
  HGLOBAL block = ReadResource32(KORVEX_SAMPLE_RES, kResourceMenu, "MAIN");
  HMENU menu = LoadMenu32(block);
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ(2, GetMenuItemCount(menu));
  HMENU window = FindWindowMenu(menu);
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(201u, GetMenuItemID(window, 0));
  DestroyMenu(menu);
  // Every cut of the template is refused before LoadMenuIndirect sees it.
  const Bytes bytes = BlockBytes(block);
  for (size_t cut = 0; cut < bytes.size(); ++cut)
    EXPECT_FALSE(MenuTemplate32Fits(bytes.data(), cut)) << cut;
  GlobalFree(block);

  block = ReadResource32(KORVEX_SAMPLE_RES, kResourceMenu, "EXTRA");
  menu = LoadMenu32(block);
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ(301u, GetMenuItemID(GetSubMenu(menu, 0), 0));
  DestroyMenu(menu);
  const Bytes extended = BlockBytes(block);
  for (size_t cut = 0; cut < extended.size(); ++cut)
    EXPECT_FALSE(MenuTemplate32Fits(extended.data(), cut)) << cut;
  GlobalFree(block);
}

std::string ControlText(HWND dialog, int id) {
  char text[64] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string ControlClass(HWND dialog, int id) {
  char name[64] = "";
  GetClassNameA(GetDlgItem(dialog, id), name, sizeof name);
  return name;
}

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST(Dialog16, ConvertedTemplateMakesTheDialog) {
  RegisterPictureClass(GetModuleHandleA(nullptr));
  Dialog16 t(WS_POPUP | WS_CAPTION, 4, "Ввод", true);
  // The first item carries creation data: the items after it must still
  // come out right.
  t.Item(100, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0x81, "", "текст", Bytes{1, 2, 3, 4, 5})
      .Item(IDOK, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 0x80, "", "OK")
      .Item(300, WS_CHILD | WS_VISIBLE, 0, "PICTURE", "", Bytes{9})
      .Item(400, WS_CHILD | WS_VISIBLE, 0x82, "", "Метка");
  HGLOBAL source = CopyToGlobal(t.bytes().data(), t.bytes().size());
  HGLOBAL converted = ConvertDialog16(source);
  ASSERT_NE(nullptr, converted);
  const Bytes out = BlockBytes(converted);
  EXPECT_EQ(0u, out.size() % 4);
  const DLGTEMPLATE* header = reinterpret_cast<const DLGTEMPLATE*>(out.data());
  EXPECT_EQ(4, header->cdit);
  EXPECT_EQ(0u, header->dwExtendedStyle);

  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                           static_cast<const DLGTEMPLATE*>(GlobalLock(converted)),
                                           nullptr, QuietDialog, 0);
  GlobalUnlock(converted);
  ASSERT_NE(nullptr, dialog);
  char caption[32] = "";
  GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_STREQ("Ввод", caption);
  EXPECT_EQ("текст", ControlText(dialog, 100));
  EXPECT_STRCASEEQ("Edit", ControlClass(dialog, 100).c_str());
  EXPECT_EQ("OK", ControlText(dialog, IDOK));
  EXPECT_STRCASEEQ("Button", ControlClass(dialog, IDOK).c_str());
  EXPECT_EQ("PICTURE", ControlClass(dialog, 300));
  EXPECT_EQ("Метка", ControlText(dialog, 400));
  DestroyWindow(dialog);
  GlobalFree(converted);
  GlobalFree(source);

  for (size_t cut = 0; cut < t.bytes().size(); ++cut)
    EXPECT_EQ(nullptr, ConvertDialog16Data(t.bytes().data(), cut)) << cut;
}

TEST(Dialog32, CompiledTemplateHoldsThePictureControl) {
  RegisterPictureClass(GetModuleHandleA(nullptr));
  HGLOBAL block = ReadResource32(KORVEX_SAMPLE_RES, kResourceDialog, "ASK");
  ASSERT_NE(nullptr, block);
  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                           static_cast<const DLGTEMPLATE*>(GlobalLock(block)), nullptr,
                                           QuietDialog, 0);
  GlobalUnlock(block);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("PICTURE", ControlClass(dialog, 300));
  EXPECT_NE(nullptr, GetDlgItem(dialog, 100));
  DestroyWindow(dialog);
  GlobalFree(block);
}

}  // namespace
