// The page view window in this process: pages turned by keys, its events,
// the form text of a hidden view, edits through dialog 101 and the popup
// menu, saving, scrolling, what it does with nothing loaded, and how its
// handles and files come and go.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gui_driver.h"
#include "view_support.h"

using namespace selvy_test;

namespace {

const std::string kExportOfP =
    "PAGE 1,2479,3508,25,50\r\nFONT Mono,10,Bold\r\nBOX 100,200,300,400 LSBS\r\nTEXT CENTER {Итого}\r\n"
    "HEAD 0,100,500,500,550,Имя\r\nHEAD 1,500,500,900,550,Город\r\nLINE 100,550,500,600,Анна\r\n"
    "LINE 500,550,900,600,Омск\r\nLINE 100,600,500,650,Борис\r\nLINE 500,600,900,650,Тула\r\n"
    "GRID 0,0,0,0,0,0\r\nPAGE 2,2479,3508,25,50\r\nFONT Mono,10\r\nBOX 100,100,900,300 LSTSRSBS\r\n"
    "TEXT LEFT {Вторая}\r\nEND\r\n";

// Exports the view's form text through menu 40116 and its dialog; the
// file's text ("<none>" when no dialog came).
std::string ExportThroughDialog(LONG view, const std::string& name) {
  std::string path = ScratchPath(name);
  DeleteFileA((path + ".frm").c_str());
  std::string title;
  bool answered = WithWindow("#32770", "Создать форму",
                             [&](HWND dialog) {
                               title = gui::WindowText(dialog);
                               AnswerFileDialog(dialog, path);
                             },
                             [&] { SendMessageA(ViewWindow(view), WM_COMMAND, 40116, 0); });
  return answered ? ReadText(path + ".frm") : "<none>";
}

// A right click at the page point; the menu's items, and the item chosen.
std::vector<std::string> RightClick(LONG view, const ScaleRule& scale, int x, int y, const std::string& choice) {
  std::vector<std::string> items;
  WithWindow("#32768", nullptr,
             [&](HWND popup) {
               items = MenuItems(popup);
               ChooseMenuItem(popup, choice);
             },
             [&] {
               SendMessageA(ViewWindow(view), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(scale.X(x), scale.Y(y)));
             });
  Pump(50);
  UpdateWindow(ViewWindow(view));
  return items;
}

ScaleRule ScaleOfP() { return ScreenScaleOf("Mono", 10, true, 25, 50); }

TEST(PageView, PagesTurnByKeys) {
  Selvy selvy;
  Owner owner(false);
  LONG view = LoadP(selvy, owner, false);
  ASSERT_TRUE(view);
  EXPECT_EQ(view, selvy.hWnd(view));
  EXPECT_EQ(2, selvy.pageCount(view));
  EXPECT_EQ(1, selvy.pageNumber(view));
  Key(view, VK_NEXT);
  EXPECT_EQ(2, selvy.pageNumber(view));
  Key(view, VK_NEXT);
  EXPECT_EQ(2, selvy.pageNumber(view));
  Key(view, 36);
  EXPECT_EQ(1, selvy.pageNumber(view));
  Key(view, VK_PRIOR);
  EXPECT_EQ(1, selvy.pageNumber(view));
  Key(view, VK_NEXT);
  Key(view, VK_PRIOR);
  EXPECT_EQ(1, selvy.pageNumber(view));

  // The window: a hidden child covering the owner's client area, its
  // object in window long 0.
  HWND window = ViewWindow(view);
  EXPECT_EQ("SELVYCLASS", gui::ClassOf(window));
  EXPECT_EQ(owner.hwnd(), GetParent(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(WS_CHILD | WS_VSCROLL | WS_HSCROLL,
            GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE));
  RECT client, outer;
  GetClientRect(owner.hwnd(), &client);
  GetWindowRect(window, &outer);
  EXPECT_EQ(client.right, outer.right - outer.left);
  PageView* object = ViewObject(view);
  EXPECT_EQ(window, object->window);
  EXPECT_EQ(owner.hwnd(), object->owner);
  EXPECT_EQ(0.5, object->xScale);  // no paint yet
  EXPECT_EQ(2, object->pageCount);
  WNDCLASSA c{};
  ASSERT_TRUE(GetClassInfoA(selvy.module(), "SELVYCLASS", &c));
  EXPECT_EQ(static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), c.style);
  EXPECT_EQ(4, c.cbWndExtra);
  selvy.unload(view);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(0, selvy.pageCount(view));
}

TEST(PageView, EventsOnAndOffAndOnlyEscapeFires) {
  Selvy selvy;
  Owner owner(false);
  LONG view = LoadP(selvy, owner, false);
  ASSERT_TRUE(view);
  EXPECT_EQ(2002, selvy.event(view, "escape", 40005));
  EXPECT_EQ(2001, selvy.event(view, "TAB", 0));
  EXPECT_EQ(2001, selvy.event(view, "Tab", 40999));
  EXPECT_EQ(2003, selvy.event(view, "HELP", 40001 + 0x10000));  // the low 16 bits count
  PageView* object = ViewObject(view);
  EXPECT_EQ(40005, object->events[1]);
  EXPECT_EQ(40999, object->events[0]);
  EXPECT_EQ(40001, object->events[2]);

  gui::BoxWatcher boxes({IDOK});
  EXPECT_EQ(0, selvy.event(view, "ESCAPE", 1));
  EXPECT_EQ(0, selvy.event(view, "ESCAPE", 41000));
  EXPECT_EQ(0, selvy.event(view, "ENTER", 40005));
  std::vector<gui::BoxWatcher::Box> seen = boxes.Boxes();
  ASSERT_EQ(3u, seen.size());
  char text143[256] = "", text99[256] = "";
  typedef int(WINAPI * Text)(int, char*, int);
  Text msgtxt = reinterpret_cast<Text>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("Wennic.dll"), "MSGTXT")));
  ASSERT_TRUE(msgtxt);
  msgtxt(143, text143, sizeof text143);
  msgtxt(99, text99, sizeof text99);
  EXPECT_EQ(text143, seen[0].text);
  EXPECT_EQ(text143, seen[1].text);
  EXPECT_EQ(text99, seen[2].text);
  EXPECT_EQ(40005, object->events[1]);  // kept through the errors
  selvy.unload(view);
}

TEST(PageView, HiddenUnpaintedViewExportsItsFormText) {
  Selvy selvy;
  Owner owner(false);
  LONG view = LoadP(selvy, owner, false);
  ASSERT_TRUE(view);
  EXPECT_EQ(kExportOfP, ExportThroughDialog(view, "selvy_p_export"));
  selvy.unload(view);
}

TEST(PageView, DoubleClickEditsACellAndSaveWritesIt) {
  Selvy selvy;
  Owner owner(true);
  LONG view = LoadP(selvy, owner, true);
  ASSERT_TRUE(view);
  ScaleRule scale = ScaleOfP();
  PageView* object = ViewObject(view);
  EXPECT_DOUBLE_EQ(scale.x, object->xScale);
  EXPECT_DOUBLE_EQ(scale.y, object->yScale);

  std::string shownText, title;
  bool left = false;
  int limit = 0;
  bool edited = WithWindow("#32770", "Выравнивание",
                           [&](HWND dialog) {
                             title = gui::WindowText(dialog);
                             HWND edit = GetDlgItem(dialog, 1000);
                             shownText = gui::WindowText(edit);
                             limit = static_cast<int>(gui::Send(edit, EM_GETLIMITTEXT, 0, 0));
                             left = gui::Send(GetDlgItem(dialog, 1001), BM_GETCHECK, 0, 0) == BST_CHECKED;
                             gui::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Борис Годунов"));
                             gui::Send(GetDlgItem(dialog, 1001), BM_SETCHECK, BST_UNCHECKED, 0);
                             gui::Send(GetDlgItem(dialog, 1003), BM_SETCHECK, BST_CHECKED, 0);
                             gui::AnswerMessageBox(dialog, IDOK);
                           },
                           [&] {
                             SendMessageA(ViewWindow(view), WM_LBUTTONDBLCLK, 0,
                                          MAKELPARAM(scale.X(300), scale.Y(625)));
                           });
  ASSERT_TRUE(edited);
  EXPECT_EQ("Выравнивание", title);
  EXPECT_EQ("Борис", shownText);
  EXPECT_TRUE(left);
  EXPECT_EQ(65535 - 15, limit);

  std::string path = ScratchPath("selvy_saved.bin");
  DeleteFileA(path.c_str());
  ASSERT_TRUE(WithWindow("#32770", "Записать файл формы", [&](HWND dialog) { AnswerFileDialog(dialog, path); },
                         [&] { SendMessageA(ViewWindow(view), WM_COMMAND, 40112, 0); }));
  Bytes p = SampleP(), saved = ReadWhole(path);
  ASSERT_EQ(p.size() + 8, saved.size());
  const BYTE head[] = {0x1C, 0x00, 0x4C, 0x00, 0x01, 0x00, 0x58, 0x02, 0x00, 0x00, 0x8A, 0x02, 0x00, 0x00};
  Bytes record(head, head + sizeof head);
  const char* text = "Борис Годунов";
  record.insert(record.end(), text, text + 14);
  std::string savedText(saved.begin(), saved.end());
  EXPECT_NE(std::string::npos, savedText.find(std::string(record.begin(), record.end())));

  // A click on nothing opens no dialog; one on a head edits the head.
  EXPECT_FALSE(WithWindow("#32770", "Выравнивание", [](HWND dialog) { gui::AnswerMessageBox(dialog, IDCANCEL); },
                          [&] {
                            SendMessageA(ViewWindow(view), WM_LBUTTONDBLCLK, 0,
                                         MAKELPARAM(scale.X(1500), scale.Y(1500)));
                          }));
  bool centre = false;
  EXPECT_TRUE(WithWindow("#32770", "Выравнивание",
                         [&](HWND dialog) {
                           shownText = gui::WindowText(GetDlgItem(dialog, 1000));
                           centre = gui::Send(GetDlgItem(dialog, 1003), BM_GETCHECK, 0, 0) == BST_CHECKED;
                           gui::AnswerMessageBox(dialog, IDCANCEL);
                         },
                         [&] {
                           SendMessageA(ViewWindow(view), WM_LBUTTONDBLCLK, 0,
                                        MAKELPARAM(scale.X(700), scale.Y(525)));
                         }));
  EXPECT_EQ("Город", shownText);
  EXPECT_TRUE(centre);
  selvy.unload(view);
}

TEST(PageView, RowsDeletedAndAddedFromThePopupMenu) {
  Selvy selvy;
  Owner owner(true);
  ScaleRule scale = ScaleOfP();
  {
    LONG view = LoadP(selvy, owner, true);
    ASSERT_TRUE(view);
    std::vector<std::string> items = RightClick(view, scale, 300, 575, "Удалить строку");
    EXPECT_EQ((std::vector<std::string>{"Печать", "Прочитать ..", "Сохранить как ..", "-", "Удалить строку",
                                        "Добавить строку выше", "Добавить строку ниже"}),
              items);
    std::vector<std::string> lines = Lines(ExportThroughDialog(view, "selvy_deleted"));
    ASSERT_EQ(14u, lines.size());
    EXPECT_EQ("LINE 100,550,500,600,Борис", lines[6]);
    EXPECT_EQ("LINE 500,550,900,600,Тула", lines[7]);
    selvy.unload(view);
  }
  {
    LONG view = LoadP(selvy, owner, true);
    ASSERT_TRUE(view);
    RightClick(view, scale, 700, 625, "Добавить строку ниже");
    std::vector<std::string> lines = Lines(ExportThroughDialog(view, "selvy_added"));
    ASSERT_EQ(18u, lines.size());
    EXPECT_EQ("LINE 100,650,500,700,", lines[10]);
    EXPECT_EQ("LINE 500,650,900,700,", lines[11]);
    // The grid as painted after the change: the rows area grew by a row.
    char grid[96];
    snprintf(grid, sizeof grid, "GRID %d,%d,%d,%d,%d,%d", scale.Y(550), scale.Y(700), scale.X(100), scale.Y(500),
             scale.X(900), scale.Y(700));
    EXPECT_EQ(grid, lines[12]);
    selvy.unload(view);
  }
  {
    // Outside the rows: no row items; on the heads neither.
    LONG view = LoadP(selvy, owner, true);
    ASSERT_TRUE(view);
    EXPECT_EQ(3u, RightClick(view, scale, 300, 525, "").size());
    EXPECT_EQ(3u, RightClick(view, scale, 1000, 575, "").size());
    Key(view, VK_NEXT);
    EXPECT_EQ(3u, RightClick(view, scale, 300, 575, "").size());
    selvy.unload(view);
  }
}

}  // namespace
