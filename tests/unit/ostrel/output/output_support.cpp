#include "output_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "gui_driver.h"
#include "odbc_session.h"
#include "wennic.h"

namespace output_test {

void MakeTables() {
  static bool made = false;
  if (made) return;
  OdbcSession s("KTEST");
  s.Try("DROP TABLE PF_N3");
  s.Run({"CREATE TABLE PF_N3 (A INTEGER, B VARCHAR(5))",
         "INSERT INTO PF_N3 VALUES (1, 'a'), (2, 'bb'), (3, 'ccc')"});
  s.Try("DROP TABLE PF_X");
  s.Run({"CREATE TABLE PF_X (CODE VARCHAR(5), AMT REAL)",
         "INSERT INTO PF_X VALUES ('A1', 1.5), ('B2', -20.25)"});
  s.Try("DROP TABLE PF_SP");
  s.Run({"CREATE TABLE PF_SP (K VARCHAR(12), V VARCHAR(12))", "INSERT INTO PF_SP VALUES (' 1 234.50', 'x')"});
  s.Try("DROP TABLE PF_N200");
  s.Run({"CREATE TABLE PF_N200 (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))",
         "INSERT INTO PF_N200 WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < 200) "
         "SELECT I, 'P' || I FROM N"});
  s.Try("DROP TABLE PF_BIG");
  s.Run({"CREATE TABLE PF_BIG (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))",
         "INSERT INTO PF_BIG WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < 25000) "
         "SELECT I, 'G' || I FROM N"});
  made = true;
}

std::string OutputDir() {
  std::string dir = KORVEX_OUTPUT_DIR;
  for (char& c : dir)
    if (c == '/') c = '\\';
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

bool SaveBytes(const std::string& path, const PageBytes& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool whole = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && whole;
}

PageBytes ReadPageFile(HANDLE file) {
  PageBytes bytes(GetFileSize(file, nullptr));
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

std::vector<Record> ReadRecords(const PageBytes& bytes) {
  std::vector<Record> out;
  PageRecordWalker walker(bytes.data(), bytes.size());
  PageRecordView v;
  while (walker.Next(&v)) {
    Record r = {};
    r.type = static_cast<char>(v.type);
    if (v.text) r.text.assign(v.text, v.text_length);
    switch (v.type) {
      case kPageRecordPage: {
        const PagePageRecord* p = v.As<PagePageRecord>();
        r.column = p->number;
        r.width = p->width;
        r.height = p->height;
        r.charWidth = p->char_width;
        r.lineHeight = p->line_height;
        break;
      }
      case kPageRecordBox: {
        const PageBoxRecord* b = v.As<PageBoxRecord>();
        r.column = b->sides;
        r.box = RECT{b->left, b->top, b->right, b->bottom};
        break;
      }
      case kPageRecordHead: {
        const PageHeadRecord* h = v.As<PageHeadRecord>();
        r.column = h->column;
        r.box = RECT{h->left, h->top, h->right, h->bottom};
        break;
      }
      case kPageRecordCell:
      case kPageRecordFooter: {
        const PageCellRecord* c = v.As<PageCellRecord>();
        r.column = c->column;
        r.flags = c->flags;
        r.box = RECT{0, c->top, 0, c->bottom};
        break;
      }
      default:
        break;
    }
    out.push_back(r);
  }
  EXPECT_EQ(walker.error(), 0) << "at " << walker.error_offset();
  if (walker.offset() + 3 <= bytes.size() && bytes[walker.offset() + 2] == kPageRecordEnd) {
    Record end = {};
    end.type = 'E';
    out.push_back(end);
  }
  return out;
}

std::string Types(const std::vector<Record>& records) {
  std::string types;
  for (const Record& r : records) types += r.type;
  return types;
}

namespace {

struct DialogSearch {
  const char* caption;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || gui::ClassOf(window) != "#32770") return TRUE;
  char text[128] = "";
  GetWindowTextA(window, text, sizeof text);
  if (std::strcmp(text, search->caption) != 0 || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND WaitDialog(const char* caption, DWORD timeout) {
  DialogSearch search = {caption, nullptr};
  gui::WaitFor(
      [&] {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeout);
  return search.found;
}

void Click(HWND dialog, int id) { gui::Send(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool Checked(HWND dialog, int id) {
  return gui::Send(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

namespace {

struct BoxSearch {
  const char* caption;
  const std::vector<HWND>* skip;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
  BoxSearch* search = reinterpret_cast<BoxSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) || gui::ClassOf(window) != "#32770") return TRUE;
  char text[128] = "";
  GetWindowTextA(window, text, sizeof text);
  if (std::strcmp(text, search->caption) != 0) return TRUE;
  for (HWND seen : *search->skip)
    if (seen == window) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

BoxAnswerer::BoxAnswerer(const char* caption) : caption_(caption) {
  thread_ = std::thread([this] {
    for (;;) {
      std::vector<HWND> skip;
      {
        std::lock_guard<std::mutex> hold(lock_);
        if (stop_) return;
        skip = answered_;
      }
      BoxSearch search = {caption_.c_str(), &skip, nullptr};
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
      if (search.found && gui::WaitUntilShown(search.found, 2000)) {
        const std::string text = gui::WaitForMessageBoxText(search.found);
        {
          std::lock_guard<std::mutex> hold(lock_);
          texts_.push_back(text);
          answered_.push_back(search.found);
        }
        gui::AnswerMessageBox(search.found, IDOK);
      }
      Sleep(30);
    }
  });
}

BoxAnswerer::~BoxAnswerer() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stop_ = true;
  }
  thread_.join();
}

std::vector<std::string> BoxAnswerer::Texts() const {
  std::lock_guard<std::mutex> hold(lock_);
  return texts_;
}

HWND WaitBox(const char* caption, HWND except, DWORD timeout) {
  const std::vector<HWND> skip = {except};
  BoxSearch search = {caption, &skip, nullptr};
  gui::WaitFor(
      [&] {
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeout);
  return search.found;
}

std::string MessageText(int number) {
  char text[256] = "";
  MSGTXT(number, text, sizeof text);
  return text;
}

std::string ClipboardText(UINT format) {
  std::string text;
  for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) Sleep(20);
  HANDLE data = GetClipboardData(format);
  if (const char* p = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
    text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace output_test
