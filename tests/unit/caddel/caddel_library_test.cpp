// CADDEL as the binder sees it: declaration 2 word for word, with its
// double blank, and no RELEASE export.
#include <gtest/gtest.h>
#include <windows.h>

#include "library_call.h"

namespace {

TEST(CaddelLibrary, DeclarationsAreStoredAsQuoted) {
  LibraryCall caddel("CADDEL");
  ASSERT_TRUE(caddel.library());
  char text[256] = "";
  ASSERT_GT(LoadStringA(caddel.library(), 2, text, sizeof text), 0);
  EXPECT_STREQ("CADDEL!CADDEL_Show(  LONG<pClass>, OBJECT<Base>, STRING<Param> ) BOOL", text);
  EXPECT_EQ(0, LoadStringA(caddel.library(), 14, text, sizeof text));
  EXPECT_EQ(nullptr, GetProcAddress(caddel.library(), "RELEASE"));
  EXPECT_EQ(caddel.library(), reinterpret_cast<HMODULE>(caddel("CADDEL_HANDLE")));
}

}  // namespace
