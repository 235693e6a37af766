// What the view does with nothing loaded, handles that name no view, files
// that are no page files, temporary files handed in, damaged metrics and
// fonts, and its class as the library comes and goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "gui_driver.h"
#include "page_file.h"
#include "view_support.h"

using namespace selvy_test;

namespace {

// True while a handle is open on the scratch file (handle values are
// reused at once, so the file is asked, not the handle).
bool FileHeld(const std::string& name) {
  HANDLE alone = CreateFileA(ScratchPath(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (alone == INVALID_HANDLE_VALUE) return true;
  CloseHandle(alone);
  return false;
}

// True when the command showed any dialog of this process.
bool ShowsADialog(LONG view, int command) {
  return WithWindow("#32770", nullptr, [](HWND dialog) { gui::AnswerMessageBox(dialog, IDCANCEL); },
                    [&] { SendMessageA(ViewWindow(view), WM_COMMAND, command, 0); });
}

TEST(PageViewFaults, NothingLoadedSavesExportsAndPrintsNothing) {
  Selvy selvy;
  Owner owner(true);
  LONG view = selvy.load(owner.handle(), 0);
  ASSERT_TRUE(view);
  EXPECT_EQ(0, selvy.pageCount(view));
  EXPECT_EQ(0, selvy.pageNumber(view));
  EXPECT_TRUE(selvy.show(view));
  for (WPARAM key : {VK_NEXT, VK_HOME, VK_PRIOR}) Key(view, key);
  EXPECT_EQ(0, selvy.pageNumber(view));
  std::string kept = ScratchPath("selvy_kept.bin");
  WriteScratch("selvy_kept.bin", Bytes{'k', 'e', 'p', 't'});
  EXPECT_FALSE(ShowsADialog(view, 40112));
  EXPECT_FALSE(ShowsADialog(view, 40116));
  EXPECT_FALSE(ShowsADialog(view, 40101));
  EXPECT_EQ("kept", ReadText(kept));
  // Rows and double clicks find nothing.
  SendMessageA(ViewWindow(view), WM_COMMAND, 40114, 0);
  EXPECT_FALSE(ShowsADialog(view, 0));
  selvy.unload(view);
}

TEST(PageViewFaults, HandlesThatNameNoViewActAsZero) {
  Selvy selvy;
  Owner owner(false);
  gui::BoxWatcher boxes({IDOK});
  for (LONG bad : {0L, owner.handle(), 0x1234L}) {
    EXPECT_EQ(0, selvy.hWnd(bad));
    EXPECT_EQ(0, selvy.pageCount(bad));
    EXPECT_EQ(0, selvy.pageNumber(bad));
    EXPECT_FALSE(selvy.show(bad));
    EXPECT_EQ(0, selvy.event(bad, "TAB", 0));
    selvy.unload(bad);
  }
  EXPECT_TRUE(IsWindow(owner.hwnd()));
  EXPECT_FALSE(IsWindowVisible(owner.hwnd()));
  LONG view = LoadP(selvy, owner, false);
  selvy.unload(view);
  EXPECT_EQ(0, selvy.hWnd(view));
  EXPECT_EQ(0, selvy.event(view, "ESCAPE", 40001));
  EXPECT_TRUE(boxes.Boxes().empty());

  // No window: message 101 over the owner, result 0; the file is closed.
  HANDLE file = OpenBytes("selvy_nowindow.bin", SampleP());
  EXPECT_EQ(0, selvy.load(0x5678, Handle(file)));
  EXPECT_FALSE(FileHeld("selvy_nowindow.bin"));
  ASSERT_EQ(1u, boxes.Boxes().size());
  char text[256] = "";
  typedef int(WINAPI * Text)(int, char*, int);
  Text msgtxt = reinterpret_cast<Text>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("Wennic.dll"), "MSGTXT")));
  msgtxt(101, text, sizeof text);
  EXPECT_EQ(text, boxes.Boxes()[0].text);
}

TEST(PageViewFaults, FilesThatAreNoPageFilesAreRefused) {
  Selvy selvy;
  Owner owner(true);
  HANDLE junk = OpenBytes("selvy_junk.bin", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'a', 'g', 'e'});
  LONG view = selvy.load(owner.handle(), Handle(junk));
  ASSERT_TRUE(view);
  EXPECT_FALSE(FileHeld("selvy_junk.bin"));
  EXPECT_EQ(0, selvy.pageNumber(view));
  EXPECT_TRUE(selvy.show(view));

  // Opened through the dialog: a page file replaces, junk leaves it.
  std::string p = WriteScratch("selvy_open_p.bin", SampleP());
  std::string junkName = WriteScratch("selvy_open_junk.bin", Bytes(40, 'j'));
  std::string title;
  ASSERT_TRUE(WithWindow("#32770", "Открыть файл формы",
                         [&](HWND dialog) {
                           title = gui::WindowText(dialog);
                           AnswerFileDialog(dialog, p);
                         },
                         [&] { SendMessageA(ViewWindow(view), WM_COMMAND, 40111, 0); }));
  EXPECT_EQ(2, selvy.pageCount(view));
  EXPECT_EQ(1, selvy.pageNumber(view));
  Key(view, VK_NEXT);
  ASSERT_TRUE(WithWindow("#32770", "Открыть файл формы", [&](HWND dialog) { AnswerFileDialog(dialog, junkName); },
                         [&] { SendMessageA(ViewWindow(view), WM_COMMAND, 40111, 0); }));
  EXPECT_EQ(2, selvy.pageCount(view));
  EXPECT_EQ(2, selvy.pageNumber(view));
  // The file opened is not held once read.
  HANDLE again = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, again);
  CloseHandle(again);
  selvy.unload(view);
}

TEST(PageViewFaults, TemporaryFilesHandedInAreDeleted) {
  Selvy selvy;
  Owner owner(false);
  HMODULE hestel = LoadLibraryA("Hestel.dll");
  ASSERT_TRUE(hestel);
  typedef HANDLE(WINAPI * Create)(const char*);
  Create create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(hestel, "HESTEL_CREATE")));
  std::set<std::string> made, before = TemporaryFiles();
  for (int i = 0; i < 100; ++i) {
    std::set<std::string> now = TemporaryFiles();
    HANDLE file = create(nullptr);
    ASSERT_TRUE(file);
    for (const std::string& name : NewNames(now, TemporaryFiles())) made.insert(name);
    ASSERT_TRUE(WriteSampleP(file));
    LONG view = selvy.load(owner.handle(), Handle(file));
    ASSERT_TRUE(view);
    EXPECT_EQ(2, selvy.pageCount(view));
    selvy.unload(view);
  }
  EXPECT_EQ(100u, made.size());
  std::set<std::string> after = TemporaryFiles();
  int stayed = 0;
  for (const std::string& name : made) stayed += after.count(name) ? 1 : 0;
  EXPECT_EQ(0, stayed);
  EXPECT_TRUE(NewNames(before, after).empty());
  FreeLibrary(hestel);
}

// '#' with character width and line height 0; 'B', 'T', 'T', 'F', 'T':
// the level would go below 0 and store the font outside its array.
bool WriteOddPage(HANDLE file) {
  RECT box = {10, 10, 200, 100};
  RECT head = {10, 120, 200, 140};
  return WritePageWith(file, 1, 2479, 3508, 0, -5) && WritePageFont(file, "Mono", 10, 0) &&
         WritePageBox(file, &box, 0xFF) && WritePageText(file, 'C', "один") && WritePageText(file, 'C', "два") &&
         WritePageText(file, 'R', "три") && WritePageFont(file, "Mono", 40, 'I') && WritePageText(file, 'L', "ещё") &&
         WritePageGrid(file) && WritePageGrid(file) && WritePageBox(file, &box, 0) &&
         WritePageFont(file, "Mono", 12, 'B') && WritePageHead(file, 0, &head, 3, "Гол") &&
         WritePageRow(file, 'R', 0, &head, DT_RIGHT, 2, "ит") && WritePageGrid(file) && WritePageEnd(file);
}

TEST(PageViewFaults, NarrowMetricsAndExtraTextsPaint) {
  Selvy selvy;
  Owner owner(true);
  HANDLE file = OpenBytes("selvy_odd.bin", WrittenBytes(WriteOddPage));
  LONG view = selvy.load(owner.handle(), Handle(file));
  ASSERT_TRUE(view);
  ASSERT_TRUE(selvy.show(view));
  PageView* object = ViewObject(view);
  ScaleRule scale = ScreenScaleOf("Mono", 10, false, 1, 1);
  EXPECT_DOUBLE_EQ(scale.x, object->xScale);
  EXPECT_DOUBLE_EQ(scale.y, object->yScale);
  Pump(100);
  EXPECT_TRUE(IsWindow(ViewWindow(view)));
  EXPECT_EQ(1, selvy.pageNumber(view));
  selvy.unload(view);
}

TEST(PageViewFaults, ClassLivesWhileTheLibraryIsLoaded) {
  if (GetModuleHandleA("Selvy.dll")) GTEST_SKIP() << "another user holds the library";
  HMODULE module = nullptr;
  {
    Selvy first;
    module = first.module();
    {
      Selvy second;
      EXPECT_EQ(module, second.module());
    }
    WNDCLASSA c{};
    EXPECT_TRUE(GetClassInfoA(module, "SELVYCLASS", &c));
  }
  ASSERT_FALSE(GetModuleHandleA("Selvy.dll"));
  WNDCLASSA c{};
  EXPECT_FALSE(GetClassInfoA(module, "SELVYCLASS", &c));
  Selvy third;
  EXPECT_TRUE(GetClassInfoA(third.module(), "SELVYCLASS", &c));
}

}  // namespace
