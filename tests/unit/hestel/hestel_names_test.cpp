// HESTEL's calls by name: folders, free space, file lists, mailslots
// between two processes, Install's texts, and names it cannot take.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "hestel_support.h"

namespace {

const int32_t kNull = 0;

// Runs a script in a second process; what the runner printed.
std::string RunScript(const std::string& path) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = writeEnd;
  std::string command = "\"" + BinDirectory() + "script_runner.exe\" \"" + path + "\"";
  PROCESS_INFORMATION pi = {};
  BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(writeEnd);
  std::string output;
  char buffer[256];
  DWORD got;
  while (started && ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
  CloseHandle(readEnd);
  if (started) {
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  return output;
}

TEST(HestelNames, MailslotBetweenTwoProcesses) {
  const char* name = "\\\\.\\mailslot\\kvx";
  HANDLE slot = CallHandle("MS_Create", name);
  ASSERT_NE(nullptr, slot);
  EXPECT_EQ("<NULL>", CallText("MS_RdMsg", slot));
  std::string writer = FreshDirectory("hestel_script") + "writer.bas";
  WriteFileBytes(writer, "' show: W\r\nDEF HESTEL\r\nS = HESTEL!MS_Open(\"\\\\.\\mailslot\\kvx\")\r\n"
                         "W = HESTEL!MS_WrMsg(S, \"Привет\")\r\n");
  std::string output = RunScript(writer);
  EXPECT_NE(std::string::npos, output.find("W = LONG:7")) << output;
  EXPECT_EQ(1, Call("MS_Check", slot, 0));
  EXPECT_EQ("Привет", CallText("MS_RdMsg", slot));
  EXPECT_EQ(0, Call("MS_Check", slot, 0));

  // A sender that sends no terminating zero, then one that sends no bytes.
  HANDLE sender = CallHandle("MS_Open", name);
  DWORD written;
  WriteFile(sender, "abc", 3, &written, nullptr);
  EXPECT_EQ("abc", CallText("MS_RdMsg", slot));
  WriteFile(sender, "", 0, &written, nullptr);
  EXPECT_EQ(0, Call("MS_Check", slot, 0));
  EXPECT_EQ("<NULL>", CallText("MS_RdMsg", slot));  // and no read waiting for ever

  EXPECT_EQ(nullptr, CallHandle("MS_Create", name));
  EXPECT_EQ(ERROR_ALREADY_EXISTS, Call("LastError", kNull));
  EXPECT_EQ(nullptr, CallHandle("MS_Open", "\\\\.\\mailslot\\kvx_missing"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, Call("LastError", kNull));
  EXPECT_EQ(nullptr, CallHandle("MS_Create", "kv"));
  EXPECT_EQ(ERROR_INVALID_NAME, Call("LastError", kNull));
  for (const char* call : {"MS_Create", "MS_Open"}) {
    EXPECT_EQ(nullptr, CallHandle(call, kNull));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, Call("LastError", kNull));
  }
  EXPECT_EQ(0, Call("MS_WrMsg", sender, kNull));
  // A handle that is no mailslot.
  std::string path = FreshDirectory("hestel_slots") + "plain.txt";
  HANDLE plain = CallHandle("Create", path);
  EXPECT_EQ("<NULL>", CallText("MS_RdMsg", plain));
  EXPECT_EQ(0, Call("MS_Check", plain, 0));
  for (HANDLE h : {plain, sender, slot}) Call("Close", h);
}

// A script binding the library with DEF works in C:\kt\h (a folder no
// other test touches, so it is not among the scripts that are run damaged).
TEST(HestelNames, FolderScript) {
  std::string expected = ReadFileBytes(HESTEL_TEST_DIR "\\hestel_dirs.out");
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  std::string today = std::to_string(utc.wYear * 10000 + utc.wMonth * 100 + utc.wDay);
  for (size_t at; (at = expected.find("@UTC_TODAY@")) != std::string::npos;) expected.replace(at, 11, today);
  std::string output = RunScript(HESTEL_TEST_DIR "\\hestel_dirs.bas");
  for (size_t at; (at = output.find('\r')) != std::string::npos;) output.erase(at, 1);
  EXPECT_EQ(expected, output);
}

TEST(HestelNames, FoldersFreeSpaceAndInstallTexts) {
  std::string base = FreshDirectory("hestel_deep");
  char start[MAX_PATH];
  GetCurrentDirectoryA(sizeof start, start);
  // GetDir reads 256 characters and adds a backslash: 254 fit, 255 do not.
  std::string outer = base + std::string(120, 'x');
  std::string fits = outer + "\\" + std::string(254 - outer.size() - 1, 'y');
  std::string over = outer + "\\" + std::string(255 - outer.size() - 1, 'z');
  for (const std::string& dir : {outer, fits, over}) Call("MkDir", dir);
  ASSERT_EQ(1, Call("ChDir", fits));
  EXPECT_EQ(fits + "\\", CallText("GetDir"));
  ASSERT_EQ(1, Call("ChDir", over));
  EXPECT_EQ("<NULL>", CallText("GetDir"));
  SetCurrentDirectoryA(start);
  for (const std::string& dir : {fits, over, outer}) EXPECT_EQ(1, Call("RmDir", dir));

  ULARGE_INTEGER available, total, free;
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
  EXPECT_EQ(free.QuadPart < 0x7FFFFFFF ? static_cast<int32_t>(free.QuadPart) : 0x7FFFFFFF,
            Call("DiskFree", "C:\\"));
  EXPECT_EQ(0, Call("DiskFree", "Q:\\"));

  static const char* const kTexts[] = {
      "Файл используется Windows и не может быть переписан", "Не достаточно места на диске",
      "Ошибка доступа к файлу", "Ошибка создания временного файла",
      "Не могу уничтожить существующий файл", "Не могу переименовать временный файл",
      "Не достаточно памяти для операции"};
  for (int id = 101; id <= 107; ++id) {
    char text[128] = "";
    LoadStringA(Hestel().library(), id, text, sizeof text);
    EXPECT_STREQ(kTexts[id - 101], text);
  }
}

TEST(HestelNames, FileListsAndHandlesThatNameNoList) {
  std::string dir = FreshDirectory("hestel_lists");
  HANDLE none = CallHandle("HESTEL_List", dir + "*.none");
  ASSERT_NE(nullptr, none);
  EXPECT_EQ(0, Call("HESTEL_Next", none) | Call("HESTEL_Date", none) | Call("HESTEL_Size", none));
  EXPECT_EQ("", CallText("HESTEL_Name", none));
  EXPECT_EQ(1, Call("HESTEL_Free", none));

  WriteFileBytes(dir + "one.txt", "12345");
  HANDLE list = CallHandle("HESTEL_List", dir + "*.txt");
  EXPECT_EQ("one.txt", CallText("HESTEL_Name", list));
  EXPECT_EQ(5, Call("HESTEL_Size", list));
  EXPECT_EQ(0, Call("HESTEL_Next", list));
  EXPECT_EQ(1, Call("HESTEL_Free", list));
  // Freed, never made, or made of nothing: like a list that matched nothing.
  char notAList[64] = "one.txt";
  for (HANDLE h : {list, HANDLE(nullptr), HANDLE(notAList), CallHandle("HESTEL_List", kNull)}) {
    EXPECT_EQ(0, Call("HESTEL_Next", h) | Call("HESTEL_Date", h) | Call("HESTEL_Size", h)) << h;
    EXPECT_EQ("", CallText("HESTEL_Name", h));
    EXPECT_EQ(1, Call("HESTEL_Free", h));
    EXPECT_EQ(1, Call("HESTEL_Free", h));  // never twice
  }
}

// Null names (LONG 0 from a script) and names of 260 characters or more.
TEST(HestelNames, NamesTheCallsCannotTake) {
  std::string dir = FreshDirectory("hestel_refused");
  WriteFileBytes(dir + "a.txt", "a");
  const std::string longName = dir + std::string(260, 'n');
  EXPECT_EQ(0, Call("Exists", kNull) | Call("Exists", longName) | Call("Exists", dir));
  EXPECT_EQ("", CallText("Find", kNull));
  EXPECT_EQ("", CallText("Find", longName));
  EXPECT_EQ(0, Call("Install", kNull, dir, dir));  // no box either
  for (const char* call : {"MkDir", "ChDir", "RmDir"})
    EXPECT_EQ(0, Call(call, kNull) | Call(call, longName)) << call;
  EXPECT_EQ(0, Call("Erase", kNull));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, Call("LastError", kNull));
  EXPECT_EQ(0, Call("Erase", longName));
  EXPECT_EQ(ERROR_FILENAME_EXCED_RANGE, Call("LastError", kNull));
  for (const char* call : {"Move", "Copy"}) {
    EXPECT_EQ(0, Call(call, dir + "a.txt", kNull));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, Call("LastError", kNull));
    EXPECT_EQ(0, Call(call, kNull, dir + "b.txt"));
    EXPECT_EQ(0, Call(call, dir + "a.txt", longName));
    EXPECT_EQ(ERROR_FILENAME_EXCED_RANGE, Call("LastError", kNull));
    EXPECT_EQ(0, Call(call, dir + "missing.txt", dir + "b.txt"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Call("LastError", kNull));
  }
  EXPECT_EQ("a", ReadFileBytes(dir + "a.txt"));
}

}  // namespace
