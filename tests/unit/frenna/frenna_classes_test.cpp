// The controls' classes as Frenna.dll loads and unloads: registered for the
// process with the library, gone with it (the grid's search popup too), and
// a class of the name that another module registered first left as it is. Every other suite of the
// program unloads the library when it is done.
#include <gtest/gtest.h>
#include <windows.h>

#include "tree_test_support.h"

namespace {

LRESULT CALLBACK OwnTreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

struct ControlClass {
  const char* name;
  UINT style;
};
const ControlClass kControls[] = {{"GRIDRS", 0x4008}, {"TREERS", 0x4000}};

TEST(FrennaClasses, ControlClassesComeAndGoWithTheLibrary) {
  ASSERT_EQ(nullptr, GetModuleHandleA("FRENNA.DLL")) << "the library must not be loaded yet";
  WNDCLASSA kind = {};
  for (const ControlClass& c : kControls) EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), c.name, &kind));

  HMODULE library = LoadLibraryA("FRENNA");
  ASSERT_TRUE(library);
  for (const ControlClass& c : kControls) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), c.name, &kind)) << "a global class";
    EXPECT_EQ(c.style, kind.style);
    EXPECT_EQ(4, kind.cbWndExtra);
    EXPECT_EQ(0, kind.cbClsExtra);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), kind.hCursor);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), kind.hbrBackground);
  }
  // A second load counts; the classes stay until the last one goes.
  HMODULE again = LoadLibraryA("FRENNA");
  FreeLibrary(again);
  for (const ControlClass& c : kControls) EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), c.name, &kind));
  FreeLibrary(library);
  for (const ControlClass& c : kControls) EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), c.name, &kind));
}

// Typing into a grid control registers the search popup's class inside the
// library; it goes with the library, so that a later load does not find a
// class whose procedure was unloaded.
VOID CALLBACK ClosePopup(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND popup = FindWindowA("SEARCHWINDOW", nullptr)) PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST(FrennaClasses, SearchPopupClassGoesWithTheLibrary) {
  ASSERT_EQ(nullptr, GetModuleHandleA("FRENNA.DLL"));
  frenna_test::MakeN25();
  HMODULE library = LoadLibraryA("FRENNA");
  ASSERT_TRUE(library);
  WNDCLASSA kind = {};
  {
    frenna_test::PraxelSet n25("SELECT NAME, ID FROM N25 ORDER BY NAME", 1);
    ASSERT_TRUE(n25.open());
    HWND control = CreateWindowExA(0, "GRIDRS", "", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, nullptr,
                                   nullptr, nullptr, nullptr);
    ASSERT_TRUE(control);
    SendMessageA(control, WM_SETTEXT, reinterpret_cast<WPARAM>(n25.get()), reinterpret_cast<LPARAM>("NAME|ID"));
    UINT_PTR timer = SetTimer(nullptr, 0, 200, ClosePopup);
    SendMessageA(control, WM_CHAR, 'R', 0);  // returns once the popup is closed
    KillTimer(nullptr, timer);
    EXPECT_TRUE(GetClassInfoA(library, "SEARCHWINDOW", &kind));
    DestroyWindow(control);
  }
  FreeLibrary(library);
  ASSERT_EQ(nullptr, GetModuleHandleA("FRENNA.DLL"));
  EXPECT_FALSE(GetClassInfoA(library, "SEARCHWINDOW", &kind));
}

TEST(FrennaClasses, AnotherModulesClassOfTheNameStaysItsOwn) {
  ASSERT_EQ(nullptr, GetModuleHandleA("FRENNA.DLL"));
  WNDCLASSA own = {};
  own.style = CS_GLOBALCLASS;
  own.lpfnWndProc = OwnTreeProc;
  own.hInstance = GetModuleHandleA(nullptr);
  own.lpszClassName = "TREERS";
  ASSERT_TRUE(RegisterClassA(&own));

  HMODULE library = LoadLibraryA("FRENNA");
  ASSERT_TRUE(library) << "a class found is no failure";
  WNDCLASSA kind = {};
  ASSERT_TRUE(GetClassInfoA(library, "TREERS", &kind));
  EXPECT_EQ(OwnTreeProc, kind.lpfnWndProc);
  FreeLibrary(library);
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TREERS", &kind)) << "unloading took the test's class";
  EXPECT_EQ(OwnTreeProc, kind.lpfnWndProc);
  EXPECT_TRUE(UnregisterClassA("TREERS", GetModuleHandleA(nullptr)));

  // Loaded again with the name free, the library registers its own.
  library = LoadLibraryA("FRENNA");
  ASSERT_TRUE(library);
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TREERS", &kind));
  EXPECT_NE(OwnTreeProc, kind.lpfnWndProc);
  FreeLibrary(library);
}

}  // namespace
