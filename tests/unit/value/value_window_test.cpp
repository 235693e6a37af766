#include <gtest/gtest.h>

#include <string>

#include "crt_format.h"
#include "value_test_support.h"

namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VARIABLE::Error = 0;
    g_updates.clear();
    edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 30, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, edit);
  }
  void TearDown() override { DestroyWindow(edit); }
  std::string WindowText() {
    char buffer[512] = {0};
    GetWindowTextA(edit, buffer, sizeof buffer);
    return buffer;
  }
  HWND edit = nullptr;
};

TEST_F(WindowTest, ValuesAreShownByType) {
  VARIABLE number = Make("L42");
  EXPECT_EQ(1, VariableToWindow(edit, &number));
  EXPECT_EQ("42", WindowText());
  VARIABLE amount = Make("M12345");
  VariableToWindow(edit, &amount);
  EXPECT_EQ("1.2345", WindowText());  // the exact form
  VARIABLE guid = Make("G");
  guid.guid = IID_IDispatch;
  VariableToWindow(edit, &guid);
  EXPECT_EQ("{00020400-0000-0000-C000-000000000046}", WindowText());
  VARIABLE text = Make("S:hello");
  VARIABLE pointer = text.MakePointer();
  VariableToWindow(edit, &pointer);
  EXPECT_EQ("hello", WindowText());
  VARIABLE none = Make("S");
  VariableToWindow(edit, &none);  // no text: the window keeps its own
  EXPECT_EQ("hello", WindowText());
  VARIABLE big = Make("R-1e300");
  VariableToWindow(edit, &big);
  EXPECT_EQ("-1.000000E+300", WindowText());
}

TEST_F(WindowTest, PointerLoopsShowThePointer) {
  VARIABLE self;
  self.type = VAL_POINTER;
  self.target = &self;
  VariableToWindow(edit, &self);
  char expected[32];
  CrtFormat(expected, sizeof expected, "%p(POINTER)", static_cast<void*>(&self));
  EXPECT_EQ(expected, WindowText());
}

TEST_F(WindowTest, TextIsReadBackByTypeWithoutTheHook) {
  std::string longText(300, 'x');
  SetWindowTextA(edit, longText.c_str());
  VARIABLE text = Make("S:a");
  text.Link(1);
  EXPECT_EQ(1, WindowToVariable(edit, &text));
  EXPECT_EQ(longText, text.text);
  SetWindowTextA(edit, "");
  WindowToVariable(edit, &text);
  EXPECT_STREQ("", text.text);

  VARIABLE flag = Make("B0");
  flag.Link(1);
  SetWindowTextA(edit, "  1  ");
  WindowToVariable(edit, &flag);
  EXPECT_EQ(1, flag.lng);
  SetWindowTextA(edit, "0");
  WindowToVariable(edit, &flag);
  EXPECT_EQ(0, flag.lng);
  SetWindowTextA(edit, "TRUE");
  WindowToVariable(edit, &flag);
  EXPECT_EQ(1, flag.lng);

  VARIABLE amount = Make("M0");
  SetWindowTextA(edit, " 12.5 ");
  WindowToVariable(edit, &amount);
  EXPECT_EQ(125000, amount.money);

  VARIABLE number = Make("L0");
  number.Link(1);
  SetWindowTextA(edit, "1 2 3");
  EXPECT_EQ(1, WindowToVariable(edit, &number));
  EXPECT_EQ(VAL_STRING, number.type);
  EXPECT_STREQ("123", number.text);
  EXPECT_TRUE(g_updates.empty());

  VARIABLE pointer = Make("P");
  EXPECT_EQ(0, WindowToVariable(edit, &pointer));
  EXPECT_EQ(VAL_POINTER, pointer.type);
}

}  // namespace
