// The value editor: what OK reads back for each type, and its window
// property, which must go however the dialog ends.
#include <gtest/gtest.h>

#include <future>
#include <string>

#include "dialog_probe.h"
#include "gui_driver.h"
#include "value_editor.h"
#include "variable.h"

namespace {

class Edit {
 public:
  Edit() { window_ = CreateWindowExA(0, "EDIT", "", ES_MULTILINE, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr); }
  ~Edit() { DestroyWindow(window_); }
  // value read back from text: its type and its text afterwards.
  std::string Read(VARIABLE& value, const char* text) {
    SetWindowTextA(window_, text);
    int read = ReadEditedValue(window_, value);
    char shown[kValueTextSize] = "";
    value.GetText(shown, sizeof shown, 1);
    return std::to_string(read) + " " + VARIABLE::TypeName(value.type) + " " + shown;
  }

 private:
  HWND window_;
};

TEST(ValueEditor, TextsAreReadBackInTheVariablesOwnType) {
  Edit edit;
  VARIABLE v;
  v.SetLong(5);
  EXPECT_EQ("1 LONG 12", edit.Read(v, " 1 2 "));
  v.SetReal(1.0);
  EXPECT_EQ("1 REAL 2.500000", edit.Read(v, "2.5"));
  v = "old";
  std::string text(300, 'y');
  text += " z";
  edit.Read(v, text.c_str());
  EXPECT_EQ(VAL_STRING, v.type);
  EXPECT_EQ(text, v.text) << "a STRING takes the text whole, blanks and all";
  v.Clear().TYPE(VAL_BOOL);
  EXPECT_EQ("1 BOOL TRUE", edit.Read(v, "true"));
  v.Clear().TYPE(VAL_MONEY);
  EXPECT_EQ("1 MONEY 12.3456", edit.Read(v, "1 2.3456"));

  // A TIME edited back unchanged keeps its time of day.
  VARIABLE time;
  time.TYPE(VAL_TIME);
  time.time.date = 20240229;
  time.time.seconds = 3600 * 10 + 60 * 5 + 7;
  char shown[kValueTextSize];
  time.GetText(shown, sizeof shown, 1);
  edit.Read(time, shown);
  EXPECT_EQ(20240229, time.time.date) << shown;
  EXPECT_EQ(36307, time.time.seconds) << shown;
  EXPECT_EQ("1 TIME 2023.12.31 23:59:58", edit.Read(time, " 2023.12.31  23:59:58"));

  VARIABLE guid;
  guid.TYPE(VAL_GUID);
  EXPECT_EQ("1 GUID {00020400-0000-0000-C000-000000000046}",
            edit.Read(guid, "{00020400-0000-0000-C000- 000000000046}"));
  // Types that have no text form stay as they are.
  VARIABLE none;
  EXPECT_EQ("0 NULL 0", edit.Read(none, "7"));
}

// Records whether the editor's property was still there when the dialog
// was about to go.
HWND editorWindow = nullptr;
HANDLE propertyAtEnd = nullptr;
bool sawEnd = false;

LRESULT CALLBACK WatchEnd(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_NCDESTROY && call->hwnd == editorWindow) {
    propertyAtEnd = GetPropA(call->hwnd, "VARIABLE");
    sawEnd = true;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ValueEditor, OkStoresCancelKeepsAndThePropertyGoesEitherWay) {
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchEnd, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(hook);
  VARIABLE value;
  value.SetLong(5);
  for (int button : {IDOK, IDCANCEL}) {
    sawEnd = false;
    propertyAtEnd = nullptr;
    auto typed = std::async(std::launch::async, [&] {
      HWND dialog = host_test::WaitForDialog("Variable", 15000);
      if (!dialog) return std::string("<no dialog>");
      editorWindow = dialog;
      std::string shown = gui::WindowText(GetDlgItem(dialog, 1007));
      bool held = GetPropA(dialog, "VARIABLE") == &value;
      SetWindowTextA(GetDlgItem(dialog, 1007), button == IDOK ? "12" : "99");
      host_test::Press(dialog, button);
      return shown + (held ? "" : " <no property>");
    });
    INT_PTR result = EditValue(GetModuleHandleA(nullptr), nullptr, value);
    EXPECT_EQ(button == IDOK ? "5" : "12", typed.get());
    EXPECT_EQ(button == IDOK ? 1 : 0, result);
    EXPECT_EQ(VAL_LONG, value.type);
    EXPECT_EQ(12, value.lng);
    EXPECT_TRUE(sawEnd);
    EXPECT_EQ(nullptr, propertyAtEnd);
  }
  UnhookWindowsHookEx(hook);
}

}  // namespace
