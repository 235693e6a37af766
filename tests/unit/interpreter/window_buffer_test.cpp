// The window text buffer on a real window: its text and growth past 64 KB,
// the clipboard, files, and the WRITE statement.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "interpreter.h"
#include "window_buffer.h"

namespace {

class WindowBufferTest : public ::testing::Test {
 protected:
  HWND window = nullptr;

  void SetUp() override {
    WNDCLASSA kind = {};
    kind.lpfnWndProc = DefWindowProcA;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = "WindowBufferTest";
    RegisterClassA(&kind);
    window = CreateWindowA("WindowBufferTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, kind.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
  }
  void TearDown() override {
    FreeWindowBuffer(window);
    DestroyWindow(window);
  }

  std::string Text() {
    HGLOBAL block = GetWindowBuffer(window);
    if (!block) return "<none>";
    std::string text(static_cast<const char*>(GlobalLock(block)));
    GlobalUnlock(block);
    return text;
  }
  int Append(const char* text, uint32_t* error = nullptr) {
    uint32_t e = 0;
    int n = AppendWindowBuffer(window, text, e);
    if (error) *error = e;
    else EXPECT_EQ(0u, e) << text;
    return n;
  }
};

std::string TempName(const char* name) {
  char path[MAX_PATH];
  GetTempPathA(sizeof path, path);
  return std::string(path) + name;
}

std::string ReadFile(const std::string& name) {
  std::string bytes;
  FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) return "<missing>";
  char chunk[512];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, n);
  std::fclose(f);
  return bytes;
}

TEST_F(WindowBufferTest, ItemsTabsAndLineEndsWithTheCountsAppended) {
  EXPECT_EQ(nullptr, GetWindowBuffer(window));
  EXPECT_EQ(0, Append(nullptr));
  EXPECT_EQ(1, Append("1"));
  EXPECT_EQ(2, Append("a"));  // the tab counted
  EXPECT_EQ(1, Append(""));
  EXPECT_EQ(2, Append("\r\n"));
  EXPECT_EQ(2, Append("\r\n"));
  EXPECT_EQ(4, Append("\r\n\r\n"));  // no line end: an item of its own
  EXPECT_EQ("1\ta\t\r\n\r\n\r\n\r\n", Text());
  EXPECT_EQ(1, FreeWindowBuffer(window));
  EXPECT_EQ(0, FreeWindowBuffer(window));
  EXPECT_EQ(nullptr, GetPropA(window, "BUFFER"));
  EXPECT_EQ(nullptr, GetWindowBuffer(window));
}

TEST_F(WindowBufferTest, TextPastSixtyFourKilobytesGrowsTheBlockIntact) {
  // Many blocks of growth on the way, each keeping the text; the length
  // passes 16 bits without wrapping.
  std::string chunk(1000, 'q'), expected = chunk;
  EXPECT_EQ(1000, Append(chunk.c_str()));
  for (int i = 1; i < 70; ++i) {
    EXPECT_EQ(1001, Append(chunk.c_str()));
    expected += "\t" + chunk;
  }
  std::string huge(70000, 'h');
  EXPECT_EQ(70001, Append(huge.c_str()));
  EXPECT_EQ(2, Append("\r\n"));
  expected += "\t" + huge + "\r\n";
  EXPECT_EQ(expected, Text());
  EXPECT_GE(GlobalSize(GetWindowBuffer(window)), expected.size() + 1);
}

TEST_F(WindowBufferTest, ClipboardTakesTheTextAndTheBufferEmpties) {
  EXPECT_EQ(0, CopyWindowBufferToClipboard(window));
  Append("x");
  Append("Привет");
  Append("\r\n");
  ASSERT_EQ(1, CopyWindowBufferToClipboard(window));
  EXPECT_EQ(nullptr, GetWindowBuffer(window));
  ASSERT_TRUE(OpenClipboard(window));
  HANDLE data = GetClipboardData(CF_TEXT);
  ASSERT_NE(nullptr, data);
  EXPECT_STREQ("x\tПривет\r\n", static_cast<const char*>(GlobalLock(data)));
  GlobalUnlock(data);
  CloseClipboard();
}

BOOL CALLBACK TakeOurBox(HWND window, LPARAM data) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char cls[32] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (process != GetCurrentProcessId() || std::strcmp(cls, "#32770") || !IsWindowVisible(window))
    return TRUE;
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

BOOL CALLBACK ReadStatic(HWND child, LPARAM data) {
  char cls[32] = "", text[256] = "";
  GetClassNameA(child, cls, sizeof cls);
  GetWindowTextA(child, text, sizeof text);
  if (!_stricmp(cls, "Static") && text[0]) *reinterpret_cast<std::string*>(data) = text;
  return TRUE;
}

TEST_F(WindowBufferTest, RefusedClipboardShowsMessage148AndKeepsTheText) {
  // Another thread's window holds the clipboard open.
  std::atomic<int> stage{0};
  std::thread holder([&] {
    HWND other = CreateWindowA("WindowBufferTest", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    OpenClipboard(other);
    stage = 1;
    while (stage != 2) Sleep(10);
    CloseClipboard();
    DestroyWindow(other);
  });
  while (stage != 1) Sleep(10);
  std::string shown;
  std::atomic<bool> done{false};
  std::thread watcher([&] {
    for (int tries = 0; tries < 1000 && !done; ++tries) {
      HWND box = nullptr;
      EnumWindows(TakeOurBox, reinterpret_cast<LPARAM>(&box));
      if (box) {
        Sleep(50);
        EnumChildWindows(box, ReadStatic, reinterpret_cast<LPARAM>(&shown));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return;
      }
      Sleep(20);
    }
  });
  Append("kept");
  EXPECT_EQ(0, CopyWindowBufferToClipboard(window));
  done = true;
  watcher.join();
  stage = 2;
  holder.join();
  EXPECT_EQ("Ошибка записи в буфер", shown);
  EXPECT_EQ("kept", Text());
}

TEST_F(WindowBufferTest, FilesReplacedAppendedOrCreatedAndTheBufferEmptied) {
  std::string name = TempName("wbuf_file.txt");
  DeleteFileA(name.c_str());
  EXPECT_EQ(0, BufferToFile(window, name.c_str(), 1));  // no buffer: no file
  EXPECT_EQ("<missing>", ReadFile(name));

  Append("a");
  Append("b");
  Append("\r\n");
  EXPECT_EQ(1, BufferToFile(window, name.c_str(), 0));  // missing: created
  EXPECT_EQ(nullptr, GetWindowBuffer(window));
  Append("c");
  EXPECT_EQ(1, BufferToFile(window, name.c_str(), 0));
  EXPECT_EQ("a\tb\r\nc", ReadFile(name));
  Append("new");
  EXPECT_EQ(1, BufferToFile(window, name.c_str(), 1));
  EXPECT_EQ("new", ReadFile(name));
  EXPECT_EQ(0, BufferToFile(window, name.c_str(), 1));
  EXPECT_EQ("new", ReadFile(name));

  // A file that cannot be made keeps the text for another try.
  Append("still");
  EXPECT_EQ(0, BufferToFile(window, TempName("no_such_dir\\x.txt").c_str(), 1));
  EXPECT_EQ("still", Text());
  DeleteFileA(name.c_str());
}

// WRITE on normal-form text behind the keyword: the error number.
struct WriteStatement : WindowBufferTest {
  Interpreter in;
  void SetWindow() {
    uint32_t error = 0;
    in.Variables().FindOrCreate("HWND", error)->SetLong(
        static_cast<int32_t>(reinterpret_cast<intptr_t>(window)));
  }
  unsigned Write(const char* text) {
    in.SetError(0);
    in.SetPosition(text);
    uint16_t depth = in.Depth();
    int failed = in.ExecWrite();
    EXPECT_EQ(failed != 0, in.GetError() != 0) << text;
    EXPECT_EQ(depth, in.Depth()) << text;
    return in.GetError();
  }
};

TEST_F(WriteStatement, TypesTargetsAndWordsThatOnlyLookLikeTargets) {
  SetWindow();
  uint32_t error = 0;
  in.Variables().FindOrCreate("N", error);  // NULL
  in.Variables().FindOrCreate("TO", error)->SetLong(7);
  in.Variables().FindOrCreate("M", error)->SetMoney(MONEY{});
  EXPECT_EQ(0u, Write("TO +1,M"));
  EXPECT_EQ(116u, Write("N"));
  EXPECT_EQ(112u, Write("1 2"));
  EXPECT_EQ(116u, Write("TO FILE 5"));
  EXPECT_EQ(116u, Write("TO FILE"));
  EXPECT_EQ(116u, Write("ADD DOSFILE N"));
  EXPECT_EQ("8\t0.00\r\n1", Text());  // what came before the junk stays
  // A file that cannot be written is 140, and no text is lost.
  EXPECT_EQ(140u, Write("ADD FILE \"\""));
  EXPECT_EQ(140u, Write("TO DOSFILE \"no_such_dir\\x.txt\""));
  EXPECT_EQ("8\t0.00\r\n1", Text());
  FreeWindowBuffer(window);
  EXPECT_EQ(148u, Write("TO CLIPBOARD"));
  EXPECT_EQ(0u, Write("TO FILE \"nothing.txt\""));
  EXPECT_EQ(0u, Write("\"x\""));
  EXPECT_EQ(0u, Write("add   clipboard"));
  EXPECT_EQ("<none>", Text());
}

TEST_F(WriteStatement, WithoutAWindowNothingCanBeKept) {
  EXPECT_EQ(115u, Write("1"));
  EXPECT_EQ(115u, Write(""));
}

}  // namespace
