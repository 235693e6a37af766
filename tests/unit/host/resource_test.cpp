#include <gtest/gtest.h>

#include <string>

#include "builders.h"
#include "dialog16.h"
#include "file_bytes.h"
#include "picture_control.h"
#include "resource_accel.h"
#include "resource_menu.h"
#include "resource_reader.h"

namespace {

const char kSample[] = KORVEX_SAMPLE_RES;

TEST(ResourceFile32, NamesCountCaseAndEachEntryKeepsItsOwnData) {
  unsigned short error = 99;
  HGLOBAL menu = ReadResource32(kSample, kResourceMenu, "MAIN", &error);
  EXPECT_NE(nullptr, menu);
  EXPECT_EQ(0, error);
  EXPECT_EQ(nullptr, ReadResource32(kSample, kResourceMenu, "main", &error));
  EXPECT_EQ(0, error);
  EXPECT_EQ(nullptr, ReadResource32(kSample, kResourceDialog, "MAIN"));
  EXPECT_EQ(nullptr, ReadResource32("no such file.res", kResourceMenu, "MAIN", &error));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, error);
  GlobalFree(menu);
  // Header, two colours and 2 x 2 bits.
  HGLOBAL bitmap = ReadResource32(kSample, kResourceBitmap, "LOGO");
  EXPECT_EQ(56u, GlobalSize(bitmap));
  GlobalFree(bitmap);
  // Another resource follows the table: its header is no third entry.
  HGLOBAL keys = ReadResourceByLayout(32, kSample, kResourceAccelerators, "KEYS");
  HACCEL table = CreateAccelerators(keys, kResourceLayout32);
  ACCEL entries[4] = {};
  ASSERT_EQ(2, CopyAcceleratorTable(table, entries, 4));
  EXPECT_EQ(FVIRTKEY | FCONTROL, entries[0].fVirt);
  EXPECT_EQ('O', entries[0].key);
  EXPECT_EQ(101, entries[0].cmd);
  EXPECT_EQ(VK_F5, entries[1].key);
  DestroyAcceleratorTable(table);
  GlobalFree(keys);
}

TEST(ResourceFile32, BrokenFilesAreRefusedNotOverread) {
  std::vector<unsigned char> good;
  unsigned short error = 0;
  ASSERT_TRUE(ReadFileBytes(kSample, good, &error));
  ResourceSpan span{};
  ASSERT_EQ(ResourceScan::Found, FindResource32(good.data(), good.size(), 10, "NOTE", &span));
  for (size_t cut = span.offset - 40; cut < good.size() - 2; ++cut)
    EXPECT_NE(ResourceScan::Found, FindResource32(good.data(), cut, 10, "NOTE", &span)) << cut;
  Bytes bad = good;
  bad[0x23] = 0x7F;  // the second entry's DataSize beyond the file
  EXPECT_EQ(ResourceScan::Malformed, FindResource32(bad.data(), bad.size(), kResourceMenu, "MAIN", &span));
  const std::string path = TempPath("korvex_broken32.res");
  WriteBytes(path, Bytes(good.begin(), good.begin() + span.offset + 2));
  EXPECT_EQ(nullptr, ReadResource32(path.c_str(), 10, "NOTE", &error));
  EXPECT_EQ(11, error);
  DeleteFileA(path.c_str());
}

TEST(ResourceFile16, NamesIgnoreCaseAndTheWalkStopsEarly) {
  const Bytes accel = {FVIRTKEY, 'A', 0, 7, 0, 0x80 | FVIRTKEY, VK_F2, 0, 8, 0};
  Bytes file;
  AddRes16(file, kResourceMenu, "", Bytes(9, 1), 1);
  AddRes16(file, kResourceAccelerators, "KEYS", accel);
  AddRes16(file, kResourceMenu, "Главное", Bytes{1, 2, 3});
  ResourceSpan span{};
  ASSERT_EQ(ResourceScan::Found, FindResource16(file.data(), file.size(), kResourceMenu, "ГЛАВНОЕ", &span));
  EXPECT_EQ(3u, span.size);
  EXPECT_EQ(ResourceScan::NotFound, FindResource16(file.data(), file.size(), kResourceMenu, "1", &span));
  for (size_t cut = 0; cut < file.size(); ++cut)
    EXPECT_NE(ResourceScan::Found, FindResource16(file.data(), cut, kResourceMenu, "Главное", &span)) << cut;

  const std::string path = TempPath("korvex_sample16.res");
  WriteBytes(path, file);
  HGLOBAL block = ReadResourceByLayout(16, path.c_str(), kResourceAccelerators, "keys");
  HACCEL table = CreateAccelerators(block, kResourceLayout16);
  ACCEL entries[4] = {};
  ASSERT_EQ(2, CopyAcceleratorTable(table, entries, 4));
  EXPECT_EQ(7, entries[0].cmd);
  EXPECT_EQ(VK_F2, entries[1].key);
  DestroyAcceleratorTable(table);
  GlobalFree(block);
  DeleteFileA(path.c_str());

  // A named TYPE first, or the name table, ends the search.
  Bytes named;
  PutText(named, "CUSTOM");
  PutText(named, "X");
  PutWord(named, 0);
  PutDword(named, 0);
  AddRes16(named, kResourceMenu, "M", Bytes{1});
  EXPECT_EQ(ResourceScan::NotFound, FindResource16(named.data(), named.size(), kResourceMenu, "M", &span));
  Bytes names;
  AddRes16(names, kResourceNameTable, "T", Bytes{1});
  AddRes16(names, kResourceMenu, "M", Bytes{1});
  EXPECT_EQ(ResourceScan::NotFound, FindResource16(names.data(), names.size(), kResourceMenu, "M", &span));
}

TEST(Menus, SixteenBitTemplateAndTheWindowPopup) {
  Bytes t(4, 0);
  MenuPopup(t, 0, "&Файл");
  MenuItem(t, 0, 11, "&Открыть");
  MenuItem(t, 0, 0, "");
  MenuItem(t, MF_GRAYED | MF_END, 12, "Выход");
  MenuPopup(t, MF_CHECKED | MF_END, "&Окна");
  MenuItem(t, MF_END, 21, "Рядом");
  HMENU menu = LoadMenu16Data(t.data(), t.size());
  ASSERT_NE(nullptr, menu);
  HMENU file = GetSubMenu(menu, 0);
  ASSERT_EQ(3, GetMenuItemCount(file));
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
  const UINT exitState = GetMenuState(file, 2, MF_BYPOSITION);
  EXPECT_TRUE(exitState & MF_GRAYED);
  EXPECT_FALSE(exitState & MF_HILITE);  // MF_END shares its bit
  EXPECT_EQ(GetSubMenu(menu, 1), FindWindowMenu(menu));
  EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);
  DestroyMenu(menu);
  for (size_t cut = 0; cut < t.size(); ++cut) EXPECT_EQ(nullptr, LoadMenu16Data(t.data(), cut)) << cut;
}

TEST(Menus, CompiledTemplatesOfBothKinds) {
  HGLOBAL block = ReadResource32(kSample, kResourceMenu, "MAIN");
  HMENU menu = LoadMenu32(block);
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ(201u, GetMenuItemID(FindWindowMenu(menu), 0));
  DestroyMenu(menu);
  const Bytes bytes = BlockBytes(block);
  for (size_t cut = 0; cut < bytes.size(); ++cut) EXPECT_FALSE(MenuTemplate32Fits(bytes.data(), cut)) << cut;
  GlobalFree(block);
  // The extended template's last item has no padding behind its text.
  block = ReadResource32(kSample, kResourceMenu, "EXTRA");
  menu = LoadMenu32(block);
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ(301u, GetMenuItemID(GetSubMenu(menu, 0), 0));
  EXPECT_EQ(nullptr, FindWindowMenu(menu));
  DestroyMenu(menu);
  // Data off a 4-byte boundary read the same as from the block.
  Bytes shifted(2, 0);
  const Bytes extra = BlockBytes(block);
  shifted.insert(shifted.end(), extra.begin(), extra.end());
  menu = LoadMenu32Data(shifted.data() + 2, extra.size());
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ(301u, GetMenuItemID(GetSubMenu(menu, 0), 0));
  DestroyMenu(menu);
  GlobalFree(block);
}

std::string Text(HWND dialog, int id, bool className) {
  char text[64] = "";
  if (className)
    GetClassNameA(GetDlgItem(dialog, id), text, sizeof text);
  else
    GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST(Dialog16, ConvertedTemplateMakesTheDialog) {
  RegisterPictureClass(GetModuleHandleA(nullptr));
  Bytes t;
  PutDword(t, WS_POPUP | WS_CAPTION | DS_SETFONT);
  PutByte(t, 3);
  for (unsigned v : {0u, 0u, 120u, 60u}) PutWord(t, v);
  for (const char* s : {"", "", "Ввод"}) PutText(t, s);
  PutWord(t, 8);
  PutText(t, "MS Sans Serif");
  // Creation data on the first item must not shift the others.
  DialogItem(t, 100, ES_AUTOHSCROLL, {0x81}, "текст", {1, 2, 3, 4, 5});
  DialogItem(t, 300, 0, {'P', 'I', 'C', 'T', 'U', 'R', 'E', 0}, "", {9});
  DialogItem(t, 400, 0, {0x82}, "Метка", {});
  HGLOBAL converted = ConvertDialog16Data(t.data(), t.size());
  ASSERT_NE(nullptr, converted);
  EXPECT_EQ(0u, GlobalSize(converted) % 4);
  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                           static_cast<const DLGTEMPLATE*>(GlobalLock(converted)), nullptr,
                                           QuietDialog, 0);
  GlobalUnlock(converted);
  ASSERT_NE(nullptr, dialog);
  char caption[32] = "";
  GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_STREQ("Ввод", caption);
  EXPECT_EQ("текст", Text(dialog, 100, false));
  EXPECT_STRCASEEQ("Edit", Text(dialog, 100, true).c_str());
  EXPECT_EQ("PICTURE", Text(dialog, 300, true));
  EXPECT_EQ("Метка", Text(dialog, 400, false));
  DestroyWindow(dialog);
  GlobalFree(converted);
  for (size_t cut = 0; cut < t.size(); ++cut) EXPECT_EQ(nullptr, ConvertDialog16Data(t.data(), cut)) << cut;
}

}  // namespace
