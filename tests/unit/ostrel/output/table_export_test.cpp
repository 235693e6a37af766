// ExportTable over Praxel record sets on KTEST, its dialog "EXPTUNE" driven
// through its controls from the test's thread while the table's GUI thread
// runs it: clipboard and file texts, separators, code pages, the owner's
// notices, mail, and the failures that give FALSE.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "export_ids.h"
#include "grid_harness.h"
#include "gui_driver.h"
#include "odbc_session.h"
#include "output_support.h"
#include "table_output.h"
#include "wennic.h"

namespace {

using grid_test::GridHarness;
using grid_test::Records;

const UINT kMsg = 3000;
const char kCaption[] = "Экспорт таблицы";

class TableExport : public ::testing::Test {
 protected:
  void SetUp() override {
    output_test::MakeTables();
    ASSERT_TRUE(CreateExportSettings());
  }
  void TearDown() override { FreeExportSettings(); }

  // Runs ExportTable on the table's thread while `drive` answers the
  // dialog from this one; the export's result.
  BOOL Export(GridHarness& grid, const std::function<void(HWND)>& drive) {
    BOOL result = 2;
    std::thread worker([&] { grid.OnGui([&] { result = ExportTable(grid.object(), kMsg); }); });
    HWND dialog = output_test::WaitDialog(kCaption, 10000);
    EXPECT_NE(dialog, nullptr) << "no export dialog";
    if (dialog) drive(dialog);
    worker.join();
    return result;
  }

  static std::vector<long> Notices(GridHarness& grid) {
    std::vector<long> out;
    for (const auto& entry : grid.Log())
      if (entry.first == kMsg) out.push_back(entry.second);
    return out;
  }
};

void SetFileName(HWND dialog, const std::string& name) {
  gui::Send(GetDlgItem(dialog, IDC_EXPORT_FILE_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

TEST_F(TableExport, ClipboardInWindowsTextWithHeader) {
  Records rs("SELECT CODE, AMT FROM PF_X ORDER BY CODE", 50);
  ASSERT_TRUE(rs.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(rs.get(), "Код|Сумма"));
  grid.ClearLog();
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  const BOOL result = Export(grid, [](HWND dialog) {
    // The initial settings: clipboard, tab, header; the name field only
    // with the file destination; 127 characters at most.
    EXPECT_TRUE(output_test::Checked(dialog, IDC_EXPORT_CLIPBOARD));
    EXPECT_TRUE(output_test::Checked(dialog, IDC_EXPORT_TAB));
    EXPECT_TRUE(output_test::Checked(dialog, IDC_EXPORT_HEADER));
    EXPECT_EQ(gui::WindowText(GetDlgItem(dialog, IDC_EXPORT_DOS)), "DOS");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_EXPORT_FILE_NAME)));
    output_test::Click(dialog, IDC_EXPORT_FILE);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_EXPORT_FILE_NAME)));
    SetFileName(dialog, "");
    gui::Send(GetDlgItem(dialog, IDC_EXPORT_FILE_NAME), EM_REPLACESEL, 0,
              reinterpret_cast<LPARAM>(std::string(200, 'n').c_str()));
    EXPECT_EQ(gui::WindowText(GetDlgItem(dialog, IDC_EXPORT_FILE_NAME)).size(), 127u);
    output_test::Click(dialog, IDC_EXPORT_CLIPBOARD);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_EXPORT_FILE_NAME)));
    output_test::Click(dialog, IDC_EXPORT_WINDOWS);
    output_test::Click(dialog, IDOK);
  });
  EXPECT_EQ(result, TRUE);
  EXPECT_EQ(output_test::ClipboardText(CF_TEXT), "Код\tСумма\r\nA1\t1,5000\r\nB2\t-20,2500\r\n");
  EXPECT_EQ(Notices(grid), (std::vector<long>{0, 1, 2, -1}));
}

TEST_F(TableExport, FileInDosTextWithSemicolons) {
  Records rs("SELECT CODE, AMT FROM PF_X ORDER BY CODE", 50);
  ASSERT_TRUE(rs.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(rs.get(), "Код|Сумма"));
  const std::string path = output_test::OutputDir() + "export_x.txt";
  DeleteFileA(path.c_str());
  // A name shorter than 3 characters keeps the dialog open.
  std::string boxText;
  const BOOL result = Export(grid, [&](HWND dialog) {
    output_test::Click(dialog, IDC_EXPORT_FILE);
    SetFileName(dialog, "ab");
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    HWND box = output_test::WaitBox(kCaption, dialog, 5000);
    ASSERT_NE(box, nullptr) << "no box for the short name";
    boxText = gui::WaitForMessageBoxText(box);
    gui::AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(gui::WaitFor([&] { return !IsWindow(box); }, 5000));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays";
    SetFileName(dialog, path);
    output_test::Click(dialog, IDC_EXPORT_DOS);
    output_test::Click(dialog, IDC_EXPORT_SEMICOLON);
    output_test::Click(dialog, IDOK);
  });
  EXPECT_EQ(result, TRUE);
  EXPECT_EQ(boxText, "Не задано имя файла для экспорта");
  // python3 reads it back natively (export_check.py); here its bytes.
  std::string text = ReadFileText(path);
  EXPECT_EQ(text, "\x8a\xae\xa4;\x91\xe3\xac\xac\xa0\r\nA1;1,5000\r\nB2;-20,2500\r\n");

  // The settings stay for the next export: the dialog opens with them.
  Records none("SELECT CODE, AMT FROM PF_X WHERE CODE = 'none'", 50);
  ASSERT_TRUE(none.open());
  GridHarness empty(400, 300);
  ASSERT_TRUE(empty.Show(none.get(), "Код|Сумма"));
  const std::string emptyPath = output_test::OutputDir() + "export_empty.txt";
  EXPECT_EQ(Export(empty, [&](HWND dialog) {
              EXPECT_TRUE(output_test::Checked(dialog, IDC_EXPORT_FILE));
              EXPECT_TRUE(output_test::Checked(dialog, IDC_EXPORT_DOS));
              EXPECT_TRUE(output_test::Checked(dialog, IDC_EXPORT_SEMICOLON));
              EXPECT_EQ(gui::WindowText(GetDlgItem(dialog, IDC_EXPORT_FILE_NAME)), path);
              SetFileName(dialog, emptyPath);
              output_test::Click(dialog, IDC_EXPORT_WINDOWS);
              output_test::Click(dialog, IDOK);
            }),
            TRUE);
  EXPECT_EQ(ReadFileText(emptyPath), "Код;Сумма\r\n") << "an empty table: the header line alone";
  EXPECT_EQ(Notices(empty), (std::vector<long>{0, -1}));
}

TEST_F(TableExport, MailCancelAndMissingDirectory) {
  Records rs("SELECT A, B FROM PF_N3 ORDER BY A", 50);
  ASSERT_TRUE(rs.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(rs.get(), "A|B"));

  // Mail: nothing is written; the owner's answer to (Msg, -1) is the result.
  grid.AnswerCommands([](WPARAM id, LPARAM value) -> LRESULT { return id == kMsg && value == -1 ? 5 : 0; });
  grid.ClearLog();
  EXPECT_EQ(Export(grid, [](HWND dialog) {
              output_test::Click(dialog, IDC_EXPORT_MAIL);
              output_test::Click(dialog, IDOK);
            }),
            5);
  EXPECT_EQ(Notices(grid), (std::vector<long>{0, -1}));

  // "Назад": FALSE and no notice.
  grid.ClearLog();
  EXPECT_EQ(Export(grid, [](HWND dialog) { output_test::Click(dialog, IDCANCEL); }), FALSE);
  EXPECT_TRUE(Notices(grid).empty());

  // A file in a missing directory: box 40, FALSE, and (Msg, -1) still sent.
  grid.ClearLog();
  output_test::BoxAnswerer watcher;
  EXPECT_EQ(Export(grid, [](HWND dialog) {
              output_test::Click(dialog, IDC_EXPORT_FILE);
              SetFileName(dialog, "C:\\no such folder\\x.txt");
              output_test::Click(dialog, IDOK);
            }),
            FALSE);
  EXPECT_EQ(watcher.Texts(), std::vector<std::string>{output_test::MessageText(40)});
  EXPECT_EQ(Notices(grid), (std::vector<long>{0, -1}));
}

// A number's blanks go and its '.' becomes the locale's separator; a
// virtual column's text comes from the owner, cut to the field's text
// length + 1.
TEST_F(TableExport, NumbersWithBlanksAndVirtualColumns) {
  Records rs("SELECT K, V FROM PF_SP", 50);
  ASSERT_TRUE(rs.open());
  ASSERT_TRUE(rs.Option("K", "TYPE=F2"));
  ASSERT_TRUE(rs.Option("V", "MODE=VIRTUAL;EVENT=3100"));
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(rs.get(), "K|V"));
  std::vector<std::string> asked;
  grid.AnswerCommands([&](WPARAM id, LPARAM value) -> LRESULT {
    if (id != 3100) return 0;
    char* buffer = reinterpret_cast<char*>(value);
    asked.push_back(buffer);
    std::strcpy(buffer, "a virtual text of 31 characters");
    return DT_RIGHT;
  });
  const BOOL result = Export(grid, [](HWND dialog) {
    output_test::Click(dialog, IDC_EXPORT_CLIPBOARD);
    output_test::Click(dialog, IDC_EXPORT_WINDOWS);
    output_test::Click(dialog, IDC_EXPORT_BAR);
    if (output_test::Checked(dialog, IDC_EXPORT_HEADER)) output_test::Click(dialog, IDC_EXPORT_HEADER);
    output_test::Click(dialog, IDOK);
  });
  EXPECT_EQ(result, TRUE);
  EXPECT_EQ(output_test::ClipboardText(CF_TEXT), "1234,50|a virtual tex\r\n");
  EXPECT_EQ(asked, std::vector<std::string>{"V"}) << "the request carries the field name";
}

TEST_F(TableExport, WithoutTheSettingsBlockNothingHappens) {
  Records rs("SELECT A, B FROM PF_N3 ORDER BY A", 50);
  ASSERT_TRUE(rs.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(rs.get(), "A|B"));
  FreeExportSettings();
  grid.ClearLog();
  BOOL result = 2;
  grid.OnGui([&] { result = ExportTable(grid.object(), kMsg); });
  EXPECT_EQ(result, FALSE);
  EXPECT_TRUE(Notices(grid).empty());
}

}  // namespace

namespace {

// The dialog travels with every module that links the table output: the
// table library finds it among its own resources.
TEST(ExportDialog, IsAmongTheTableLibrarysResources) {
  HMODULE ostrel = LoadLibraryA("OSTREL");
  ASSERT_NE(ostrel, nullptr);
  EXPECT_NE(FindResourceA(ostrel, "EXPTUNE", reinterpret_cast<LPCSTR>(RT_DIALOG)), nullptr);
  FreeLibrary(ostrel);
}

}  // namespace
