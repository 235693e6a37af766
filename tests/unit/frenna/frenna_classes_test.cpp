// The controls' classes as Frenna.dll loads and unloads: registered for the
// process with the library, gone with it, and a class of the name that
// another module registered first left as it is. Every other suite of the
// program unloads the library when it is done.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

LRESULT CALLBACK OwnTreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(FrennaClasses, TreeClassComesAndGoesWithTheLibrary) {
  ASSERT_EQ(nullptr, GetModuleHandleA("FRENNA.DLL")) << "the library must not be loaded yet";
  WNDCLASSA kind = {};
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "TREERS", &kind));

  HMODULE library = LoadLibraryA("FRENNA");
  ASSERT_TRUE(library);
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TREERS", &kind)) << "a global class";
  EXPECT_EQ(0x4000u, kind.style);
  EXPECT_EQ(4, kind.cbWndExtra);
  EXPECT_EQ(0, kind.cbClsExtra);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), kind.hCursor);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), kind.hbrBackground);
  // A second load counts; the class stays until the last one goes.
  HMODULE again = LoadLibraryA("FRENNA");
  FreeLibrary(again);
  EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TREERS", &kind));
  FreeLibrary(library);
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "TREERS", &kind));
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
