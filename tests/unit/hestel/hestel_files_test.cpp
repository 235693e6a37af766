// HESTEL's file-handle exports on real files: temporary files through the
// import library, text lines and code pages, sharing, buffer bounds, bad
// handles, stale registry entries and a byte range held by another process.
#include <gtest/gtest.h>
#include <windows.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "hestel.h"
#include "hestel_support.h"

namespace {

const int32_t kNull = 0;

// Page files made within one tick of the clock must not collide.
TEST(HestelFiles, TemporaryFilesThroughTheImportLibrary) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  const std::regex pattern(std::regex_replace(dir, std::regex("\\\\"), "\\\\") + "[A-P]{8}0\\.tmp");
  std::vector<HANDLE> files;
  std::set<std::string> names;
  for (int i = 0; i < 50; ++i) {
    files.push_back(HESTEL_CREATE(nullptr));
    std::string name = CallText("Name", files.back());
    EXPECT_TRUE(std::regex_match(name, pattern) && FileExists(name)) << name;
    names.insert(name);
  }
  EXPECT_EQ(50u, names.size());
  for (HANDLE file : files) EXPECT_EQ(1, HESTEL_CLOSE(file));
  for (const std::string& name : names) EXPECT_FALSE(FileExists(name)) << name;
}

TEST(HestelFiles, TextLinesAndCodePages) {
  std::string dir = FreshDirectory("hestel_lines");
  WriteFileBytes(dir + "a.txt", "ab\r\ncd");
  HANDLE file = CallHandle("Open", dir + "a.txt", "OREAD");
  EXPECT_EQ("ab", CallText("RdStr", file));
  EXPECT_EQ(0, Call("EOF", file));
  EXPECT_EQ("cd", CallText("RdStr", file));
  EXPECT_EQ(1, Call("EOF", file));
  EXPECT_EQ("", CallText("RdStr", file));  // a STRING without text, not NULL
  Call("Seek", file, 0);
  EXPECT_EQ(1, Call("EOF", file));  // the mark stays
  Call("Close", file);

  WriteFileBytes(dir + "a.txt", std::string(600, 'x') + "\n");
  file = CallHandle("Open", dir + "a.txt", "OREAD");
  EXPECT_EQ(std::string(511, 'x'), CallText("RdStr", file));
  EXPECT_EQ(511, Call("GetPos", file));
  EXPECT_EQ(std::string(89, 'x'), CallText("RdStr", file));
  EXPECT_EQ(0, Call("EOF", file));
  Call("Close", file);

  WriteFileBytes(dir + "a.txt", "\x8F\xE0\xA8\xA2\xA5\xE2\r\n");
  file = CallHandle("Open", dir + "a.txt", "OREAD RDDOS");
  EXPECT_EQ("Привет", CallText("RdStr", file));
  Call("Close", file);
  file = CallHandle("Open", dir + "a.txt", "OWRITE WRDOS");
  char text[] = "Привет";
  EXPECT_EQ(1, Call("WrStr", file, text));
  EXPECT_STREQ("\x8F\xE0\xA8\xA2\xA5\xE2", text);  // converted in the caller's text
  Call("Close", file);
  EXPECT_EQ("\x8F\xE0\xA8\xA2\xA5\xE2\r\n", ReadFileBytes(dir + "a.txt"));
}

TEST(HestelFiles, SharingAndBufferBounds) {
  std::string dir = FreshDirectory("hestel_sharing");
  WriteFileBytes(dir + "a.txt", "0123456789");
  HANDLE reader = CallHandle("Open", dir + "a.txt", "OREAD,DWRITE");
  EXPECT_EQ(nullptr, CallHandle("Open", dir + "a.txt", "OWRITE"));
  EXPECT_EQ(ERROR_SHARING_VIOLATION, Call("LastError", kNull));
  HANDLE second = CallHandle("Open", dir + "a.txt", "OREAD");
  EXPECT_NE(nullptr, second);
  Call("Close", second);

  // The text's length bounds a read or write, whatever count is asked for.
  char small[] = "abc", empty[] = "";
  EXPECT_EQ(3, Call("RdBin", reader, small, 100));
  EXPECT_STREQ("012", small);
  EXPECT_EQ(0, Call("RdBin", reader, small, 0));
  EXPECT_EQ(0, Call("RdBin", reader, kNull, 5));
  EXPECT_EQ(0, Call("RdBin", reader, empty, 5));
  HANDLE writer = CallHandle("Create", dir + "b.txt");
  EXPECT_EQ(1, Call("WrBin", writer, small, 50));
  EXPECT_EQ(0, Call("WrBin", writer, small, -1));
  EXPECT_EQ(0, Call("WrBin", writer, empty, 5));
  EXPECT_EQ(0, Call("WrStr", writer, kNull));
  EXPECT_EQ(1, Call("WrStr", writer, empty));  // nothing to write is no failure
  EXPECT_EQ(3, Call("Size", writer));
  Call("Seek", writer, 1);
  EXPECT_EQ(1, Call("Truncate", writer));
  EXPECT_EQ(1, Call("Size", writer));
  Call("Close", writer);
  EXPECT_EQ("0", ReadFileBytes(dir + "b.txt"));

  EXPECT_EQ(0, Call("Close", kNull));
  EXPECT_EQ(1, Call("Close", reader));
  EXPECT_EQ("<NULL>", CallText("Name", reader));
  EXPECT_EQ(0, Call("EOF", reader));
}

TEST(HestelFiles, FailuresOfOpenAndCreate) {
  std::string dir = FreshDirectory("hestel_names");
  EXPECT_EQ(nullptr, CallHandle("Open", dir + "missing.txt", "OREAD"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, Call("LastError", kNull));
  EXPECT_EQ(nullptr, CallHandle("Open", kNull, "OREAD"));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, Call("LastError", kNull));
  EXPECT_EQ(nullptr, CallHandle("Create", dir + std::string(260, 'n')));
  EXPECT_EQ(ERROR_FILENAME_EXCED_RANGE, Call("LastError", kNull));
  EXPECT_EQ(nullptr, CallHandle("Create", ""));

  HANDLE made = CallHandle("Create", dir + "a.txt");
  EXPECT_EQ(dir + "a.txt", CallText("Name", made));
  EXPECT_EQ(nullptr, CallHandle("Open", dir + "a.txt", "OREAD"));  // shared with nobody
  Call("Close", made);
  HANDLE none = CallHandle("Open", dir + "a.txt", "");  // no access at all
  char buffer[] = "....";
  EXPECT_EQ(0, Call("RdBin", none, buffer, 4));
  EXPECT_EQ(ERROR_ACCESS_DENIED, Call("LastError", none));
  EXPECT_EQ(0, Call("Seek", none, -5));
  EXPECT_EQ(ERROR_NEGATIVE_SEEK, Call("LastError", none));
  Call("Close", none);
}

// Handle 0, a closed handle, a number that is no handle, a mailslot. The
// calls that need no entry act on whatever a value names, so a closed
// handle's value (Windows may have handed it out again) is kept from them.
TEST(HestelFiles, HandlesThatAreNoRegisteredFile) {
  std::string dir = FreshDirectory("hestel_bad");
  WriteFileBytes(dir + "f.txt", "f");
  HANDLE slot = CreateMailslotA("\\\\.\\mailslot\\hestel_bad_handles", 0, 0, nullptr);
  HANDLE closed = CallHandle("Open", dir + "f.txt", "OREAD");
  Call("Close", closed);
  const HANDLE noHandle = AsHandle(0x00FFFFF0);
  for (HANDLE h : {HANDLE(nullptr), closed, noHandle, slot}) {
    char buffer[] = "abc";
    int32_t results = Call("Lock", h, 0, 1, 1) | Call("Lock", h, 0, 1, 0) | Call("Size", h) |
                      Call("Seek", h, 2) | Call("RdBin", h, buffer, 3) | Call("EOF", h) |
                      Call("WrBin", h, buffer, 3) | Call("WrStr", h, buffer);
    EXPECT_EQ(0, results) << h;
    EXPECT_EQ("<NULL>", CallText("Name", h));
  }
  for (HANDLE h : {HANDLE(nullptr), noHandle, slot}) {
    EXPECT_EQ("", CallText("RdStr", h));  // a failed read ends an empty line
    EXPECT_EQ(0, Call("Truncate", h) | Call("Flush", h) | Call("EOF", h));
  }
  EXPECT_EQ(-1, Call("GetPos", kNull));
  EXPECT_EQ(0, Call("Close", noHandle));
  EXPECT_EQ(1, Call("Close", slot));  // not Hestel's, closed all the same
}

// A file closed by CloseHandle keeps its entry; Windows hands the value out
// again, and the entry must not stand for the new file.
TEST(HestelFiles, EntriesOfHandlesClosedBehindTheLibrary) {
  std::string dir = FreshDirectory("hestel_stale");
  WriteFileBytes(dir + "a.txt", "first");
  WriteFileBytes(dir + "b.txt", "other\n");
  HANDLE temporary = CallHandle("Create", kNull);
  std::string temporaryName = CallText("Name", temporary);
  CloseHandle(temporary);
  HANDLE reopened = CallHandle("Open", dir + "b.txt", "OREAD");
  ASSERT_EQ(temporary, reopened) << "Wine hands a closed handle's value out again";
  EXPECT_FALSE(FileExists(temporaryName));  // the stale entry went, with its file
  EXPECT_EQ(dir + "b.txt", CallText("Name", reopened));
  EXPECT_EQ("other", CallText("RdStr", reopened));

  // Now to a file that is not Hestel's: the stale entry goes, that file stays open.
  CloseHandle(reopened);
  HANDLE theirs = CreateFileA((dir + "a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_EQ(reopened, theirs);
  EXPECT_EQ(1, Call("Close", theirs));
  char buffer[8] = {};
  DWORD got = 0;
  EXPECT_TRUE(ReadFile(theirs, buffer, 5, &got, nullptr));
  EXPECT_STREQ("first", buffer);
  CloseHandle(theirs);
}

// lock_holder holds bytes 0-9 from another process.
TEST(HestelFiles, RangeHeldByAnotherProcess) {
  std::string path = FreshDirectory("hestel_lock") + "held.bin";
  WriteFileBytes(path, std::string(40, 'L'));
  HeldRange holder(path, 0, 10);
  ASSERT_TRUE(holder.held());
  HANDLE file = CallHandle("Open", path, "OREAD OWRITE");
  DWORD started = GetTickCount();
  EXPECT_EQ(0, Call("Lock", file, 0, 10, 1));
  DWORD waited = GetTickCount() - started;
  EXPECT_TRUE(waited >= 4900 && waited <= 7000) << waited;
  EXPECT_EQ(ERROR_LOCK_VIOLATION, Call("LastError", file));
  started = GetTickCount();
  EXPECT_EQ(1, Call("Lock", file, 20, 5, 1));
  EXPECT_EQ(1, Call("Lock", file, 20, 5, 0));
  EXPECT_LT(GetTickCount() - started, 500u);
  EXPECT_EQ(0, Call("LastError", file));

  Call("Close", file);
}

}  // namespace
