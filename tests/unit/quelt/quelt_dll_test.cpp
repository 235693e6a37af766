// Quelt.dll through its exports, called by their prototypes: tables shared
// by name, clients told of every change, stale handles, error texts and the
// error box, and thousands of random calls.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "dll_test_support.h"
#include "quelt_test_support.h"

namespace {

// A client built without the engine's class: the table of operations at 0,
// the word at 4, the link at 8, the mask at 12; Notify called thiscall.
struct PlainClient {
  void* const* operations;
  DWORD word;
  void* link;
  WORD mask;
  NotifyLog* log;
};
uint16_t __attribute__((thiscall)) PlainNotify(PlainClient* self, uint32_t code, uint32_t record) {
  self->log->push_back({3, {code, record}});
  return 7;
}
void* const kPlainOperations[] = {reinterpret_cast<void*>(&PlainNotify)};

TableClient* AsClient(PlainClient* plain) { return reinterpret_cast<TableClient*>(plain); }

class QueltDll : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA("C:\\TMP", nullptr);
    DeleteFileA("C:\\TMP\\ABC.DBF");
    image = NumbersImage();
  }
  void TearDown() override {
    // Nothing stays open from one test to the next.
    if (opened) {
      EXPECT_EQ(6u, QUELT_GetLastError(opened));
    }
  }
  Table* Create(TableClient* client) {
    char name[MAX_PATH] = "c:\\tmp\\abc.dbf";
    Bytes copy = image;
    return opened = QUELT_Create(name, copy.data(), client);
  }
  Bytes image;
  Table* opened = nullptr;
};

TEST_F(QueltDll, TablesAreSharedByTheirNames) {
  NotifyLog log;
  LoggingClient a(1, &log), b(2, &log), c(4, &log);
  char name[MAX_PATH] = "c:\\tmp\\abc.dbf";
  Bytes copy = image;
  Table* t = QUELT_Create(name, copy.data(), &a);
  ASSERT_NE(nullptr, t) << QUELT_GetLastError(nullptr);
  EXPECT_STREQ("C:\\TMP\\ABC.DBF", name);
  char lower[MAX_PATH] = "C:\\TMP\\abc.DBF";
  EXPECT_EQ(t, QUELT_Open(lower, &b));
  EXPECT_STREQ("C:\\TMP\\ABC.DBF", lower);
  char bare[MAX_PATH] = "C:\\TMP\\ABC";
  Table* other = QUELT_Open(bare, &c);
  ASSERT_NE(nullptr, other);
  EXPECT_NE(t, other);
  EXPECT_EQ(0u, QUELT_Close(other, &c));
  EXPECT_EQ(1u, QUELT_Close(t, &a));
  EXPECT_EQ(1u, QUELT_Close(t, &c));  // not its client: nothing changes
  EXPECT_EQ(0u, QUELT_Close(t, &b));
  EXPECT_EQ(6u, QUELT_GetLastError(t));
  EXPECT_EQ(6u, QUELT_GetLastError(nullptr));

  t = Create(&a);
  ASSERT_NE(nullptr, t);
  EXPECT_EQ(nullptr, QUELT_Create(name, copy.data(), &b));
  EXPECT_EQ(80u, QUELT_GetLastError(nullptr));
  EXPECT_EQ(0u, QUELT_Close(t, &a));

  char nosuch[MAX_PATH] = "C:\\TMP\\NOSUCH";
  EXPECT_EQ(nullptr, QUELT_Open(nosuch, &a));
  EXPECT_EQ(2u, QUELT_GetLastError(nullptr));
  Bytes dbf = ReadAll("C:\\TMP\\ABC.DBF");
  dbf[0] = 0x30;
  WriteAll("C:\\TMP\\ABC.DBF", dbf);
  EXPECT_EQ(nullptr, QUELT_Open(name, &a));
  EXPECT_EQ(90u, QUELT_GetLastError(nullptr));
  dbf[0] = 0x83;
  WriteAll("C:\\TMP\\ABC.DBF", dbf);
  HANDLE held = CreateFileA("C:\\TMP\\ABC.DBF", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(nullptr, QUELT_Open(name, &a));
  EXPECT_EQ(32u, QUELT_GetLastError(nullptr));
  // Created over a file another handle holds: refused, the file untouched.
  EXPECT_EQ(nullptr, QUELT_Create(name, copy.data(), &a));
  EXPECT_EQ(32u, QUELT_GetLastError(nullptr));
  CloseHandle(held);
  EXPECT_EQ(dbf, ReadAll("C:\\TMP\\ABC.DBF"));
}

TEST_F(QueltDll, EveryClientIsToldEveryChange) {
  NotifyLog log;
  LoggingClient a(1, &log), b(2, &log);
  PlainClient c = {kPlainOperations, 0x1234, nullptr, 0x55, &log};
  Table* t = Create(&a);
  ASSERT_NE(nullptr, t);
  char name[MAX_PATH] = "C:\\TMP\\ABC.DBF";
  ASSERT_EQ(t, QUELT_Open(name, &b));
  ASSERT_EQ(t, QUELT_Open(name, AsClient(&c)));
  EXPECT_EQ(1u, AppendNumber(t, 1));
  char rec[32];
  QUELT_GetRec(t, 1, rec);
  EXPECT_EQ(1u, QUELT_PutRec(t, 1, rec));
  EXPECT_EQ(2u, QUELT_PutRec(t, 2, rec));
  EXPECT_EQ(2u, AppendNumber(t, 2));
  EXPECT_EQ(1u, QUELT_Delete(t, 1));
  EXPECT_TRUE(QUELT_Truncate(t, 1));
  EXPECT_EQ(0u, QUELT_Delete(t, 7));
  EXPECT_EQ(93u, QUELT_GetLastError(t));
  NotifyLog expected;
  for (auto change : {std::make_pair(2u, 1u), {2u, 1u}, {2u, 2u}, {3u, 1u}, {5u, 1u}})
    for (int id : {1, 2, 3}) expected.push_back({id, change});
  EXPECT_EQ(expected, log);
  // The client's own fields are the client's.
  EXPECT_EQ(0x1234u, c.word);
  EXPECT_EQ(0x55, c.mask);
  EXPECT_EQ(2u, QUELT_Close(t, &a));
  EXPECT_EQ(1u, QUELT_Close(t, AsClient(&c)));
  EXPECT_EQ(0u, QUELT_Close(t, &b));
  const Bytes dbf = ReadAll("C:\\TMP\\ABC.DBF");
  ASSERT_EQ(154u, dbf.size());
  EXPECT_EQ(1u, Dword(dbf, 4));
  EXPECT_EQ('*', dbf[129]);
  EXPECT_EQ(0x1A, dbf[153]);
}

// Leaves its table when told; may read the table from inside Notify.
class LeavingClient : public TableClient {
 public:
  explicit LeavingClient(NotifyLog* log, int id) : log_(log), id_(id) {}
  uint16_t Notify(uint32_t code, uint32_t record) override {
    log_->push_back({id_, {code, record}});
    char rec[32];
    if (table && QUELT_GetRec(table, record, rec) != record) log_->push_back({id_, {99, 0}});
    for (LeavingClient* c : leaving) QUELT_Close(table, c);
    return 0;
  }
  Table* table = nullptr;
  std::vector<LeavingClient*> leaving;

 private:
  NotifyLog* log_;
  int id_;
};

TEST_F(QueltDll, ClientsLeavingInsideARound) {
  NotifyLog log;
  LeavingClient a(&log, 1), b(&log, 2), c(&log, 3);
  Table* t = Create(&a);
  char name[MAX_PATH] = "C:\\TMP\\ABC.DBF";
  QUELT_Open(name, &b);
  QUELT_Open(name, &c);
  a.table = b.table = c.table = t;
  a.leaving = {&b};  // b leaves before its turn: not told
  EXPECT_EQ(1u, AppendNumber(t, 1));
  EXPECT_EQ((NotifyLog{{1, {2, 1}}, {3, {2, 1}}}), log);
  log.clear();
  // The last clients leave inside the round: the table goes when it ends.
  a.leaving = {&a, &c};
  EXPECT_EQ(2u, AppendNumber(t, 2));
  EXPECT_EQ((NotifyLog{{1, {2, 2}}}), log);
  EXPECT_EQ(6u, QUELT_GetLastError(t));
  EXPECT_EQ(2u, Dword(ReadAll("C:\\TMP\\ABC.DBF"), 4));
}

TEST_F(QueltDll, RefusedCallsTouchNothing) {
  NotifyLog log;
  LoggingClient a(1, &log), b(2, &log);
  Table* t = Create(&a);
  ASSERT_NE(nullptr, t);
  // A client has one link: a second registration anywhere is refused.
  char name[MAX_PATH] = "C:\\TMP\\ABC.DBF";
  EXPECT_EQ(nullptr, QUELT_Open(name, &a));
  EXPECT_EQ(87u, QUELT_GetLastError(nullptr));
  Bytes copy = image;
  char other[MAX_PATH] = "C:\\TMP\\OTHER";
  EXPECT_EQ(nullptr, QUELT_Create(other, copy.data(), &a));
  EXPECT_EQ(87u, QUELT_GetLastError(nullptr));
  EXPECT_FALSE(FileExists("C:\\TMP\\OTHER.DBF"));
  EXPECT_EQ(nullptr, QUELT_Open(nullptr, &b));
  EXPECT_EQ(nullptr, QUELT_Create(other, nullptr, &b));
  EXPECT_EQ(87u, QUELT_GetLastError(nullptr));
  std::string longName = "C:\\TMP\\" + std::string(MAX_PATH - 10, 'L');
  char longBuffer[MAX_PATH + 8];
  std::strcpy(longBuffer, longName.c_str());
  EXPECT_EQ(nullptr, QUELT_Open(longBuffer, &b));
  EXPECT_EQ(87u, QUELT_GetLastError(nullptr));

  // Null buffers.
  EXPECT_EQ(0u, QUELT_NewRec(t, nullptr));
  EXPECT_EQ(87u, QUELT_GetLastError(t));
  EXPECT_EQ(0u, QUELT_Append(t, nullptr));
  EXPECT_EQ(0u, QUELT_GetRec(t, 1, nullptr));
  EXPECT_EQ(0u, QUELT_PutRec(t, 1, nullptr));
  EXPECT_EQ(0u, QUELT_FindField(t, nullptr, nullptr));
  EXPECT_EQ(87u, QUELT_GetLastError(t));

  // The header lock's depth stays within 8 bits.
  EXPECT_FALSE(QUELT_Lock(t, FALSE));
  EXPECT_EQ(87u, QUELT_GetLastError(t));
  for (int i = 0; i < 255; ++i) ASSERT_TRUE(QUELT_Lock(t, TRUE));
  EXPECT_FALSE(QUELT_Lock(t, TRUE));
  for (int i = 0; i < 255; ++i) ASSERT_TRUE(QUELT_Lock(t, FALSE));
  EXPECT_FALSE(QUELT_Lock(t, FALSE));
  EXPECT_EQ(1u, AppendNumber(t, 5));  // the lock was let go

  // The header: min(size, header length) bytes, the field count.
  uint8_t head[200];
  std::memset(head, 0xEE, sizeof head);
  EXPECT_EQ(3u, QUELT_GetHead(t, head, sizeof head));
  EXPECT_EQ(0xEE, head[129]);
  EXPECT_EQ('F', head[64 + 11]);
  EXPECT_EQ(3u, QUELT_GetHead(t, head, 4));
  FieldInfo info;
  EXPECT_EQ(2u, QUELT_FindField(t, const_cast<char*>("b"), &info));
  EXPECT_EQ(6u, info.offset);

  EXPECT_EQ(0u, QUELT_Close(t, &a));
  // Every export refuses the closed handle.
  char rec[32];
  EXPECT_EQ(0u, QUELT_GetRec(t, 1, rec));
  EXPECT_EQ(6u, QUELT_GetLastError(nullptr));
  EXPECT_FALSE(QUELT_Lock(t, TRUE));
  EXPECT_EQ(0u, QUELT_WrMemo(t, rec, 1));
  EXPECT_EQ(0u, QUELT_Close(t, &a));
  EXPECT_EQ(6u, QUELT_GetLastError(t));
}

TEST_F(QueltDll, CacheKeptForAClientAndRawText) {
  NotifyLog log;
  LoggingClient a(1, &log), b(2, &log), c(3, &log);
  Table* t = Create(&a);
  for (int v : {1, 2, 3}) AppendNumber(t, v);
  char name[MAX_PATH] = "C:\\TMP\\ABC.DBF";
  b.mask = kClientKeepsCache;
  ASSERT_EQ(t, QUELT_Open(name, &b));
  ASSERT_TRUE(QUELT_Load(t, TRUE));
  EXPECT_FALSE(QUELT_Load(t, FALSE));
  // The same file under another name is another table.
  char bare[MAX_PATH] = "C:\\TMP\\ABC";
  Table* other = QUELT_Open(bare, &c);
  ASSERT_NE(nullptr, other);
  char rec[32];
  QUELT_GetRec(other, 2, rec);
  std::memcpy(rec + 1, "   77", 5);
  EXPECT_EQ(2u, QUELT_PutRec(other, 2, rec));
  QUELT_Close(other, &c);
  QUELT_GetRec(t, 2, rec);
  EXPECT_EQ("    2", Text(rec + 1, 5));
  b.mask = 0;
  EXPECT_TRUE(QUELT_Load(t, FALSE));
  QUELT_GetRec(t, 2, rec);
  EXPECT_EQ("   77", Text(rec + 1, 5));
  QUELT_Close(t, &b);
  QUELT_Close(t, &a);

  // The peer fixture's first name, raw and converted.
  const std::string people = WorkDir("dll") + "people";
  CopyFileA(QUELT_FIXTURE_DIR "\\people.dbf", (people + ".dbf").c_str(), FALSE);
  CopyFileA(QUELT_FIXTURE_DIR "\\people.dbt", (people + ".dbt").c_str(), FALSE);
  char peopleName[MAX_PATH];
  std::strcpy(peopleName, people.c_str());
  Table* p = QUELT_Open(peopleName, &a);
  ASSERT_NE(nullptr, p);
  QUELT_Coder(p, 0x2000);
  char person[64];
  QUELT_GetRec(p, 1, person);
  EXPECT_EQ(Bytes({0x88, 0xA2, 0xA0, 0xAD, 0xAE, 0xA2}), Bytes(person + 1, person + 7));
  char memo[64];
  EXPECT_EQ(42u, QUELT_RdMemo(p, memo, sizeof memo));
  EXPECT_EQ(0x84, static_cast<uint8_t>(memo[0]));
  QUELT_Coder(p, 0);
  QUELT_GetRec(p, 1, person);
  EXPECT_EQ(Bytes({0xC8, 0xE2, 0xE0, 0xED, 0xEE, 0xE2}), Bytes(person + 1, person + 7));
  QUELT_Close(p, &a);
}

TEST_F(QueltDll, ThreadsAppendingTogether) {
  NotifyLog logA, logB;
  LoggingClient a(1, &logA);
  Table* t = Create(&a);
  ASSERT_NE(nullptr, t);
  QUELT_Flush(t, FALSE);  // one process: no locks needed, none waited for
  auto appender = [t](int base) {
    for (int i = 1; i <= 200; ++i) {
      char rec[32];
      QUELT_NewRec(t, rec);
      char digits[8];
      std::snprintf(digits, sizeof digits, "%5d", base + i);
      std::memcpy(rec + 1, digits, 5);
      QUELT_Append(t, rec);
    }
  };
  std::thread first(appender, 10000), second(appender, 20000);
  first.join();
  second.join();
  char rec[32];
  int sum = 0;
  for (DWORD n = 1; n <= 400; ++n) {
    ASSERT_EQ(n, QUELT_GetRec(t, n, rec));
    sum += std::atoi(std::string(rec + 1, 5).c_str());
  }
  EXPECT_EQ(200 * 10000 + 200 * 20000 + 2 * 20100, sum);
  EXPECT_EQ(0u, QUELT_Close(t, &a));
}

TEST(QueltTexts, TextsOfTheEngine) {
  char b[64];
  EXPECT_EQ(27, QUELT_ErrorTxt(90, b, 64));
  EXPECT_STREQ("искажен заголовок dbf-файла", b);
  EXPECT_EQ(7, QUELT_ErrorTxt(90, b, 8));
  EXPECT_EQ(0, QUELT_ErrorTxt(40, b, 64));
  int count = 0;
  for (int id = 1; id < 200; ++id) count += QUELT_ErrorTxt(id, b, sizeof b) > 0;
  EXPECT_EQ(92, count);
  for (int id : {2, 91}) {
    QUELT_ErrorTxt(id, b, sizeof b);
    EXPECT_EQ(nullptr, std::strchr(b, '%')) << id;
  }
}

BOOL CALLBACK FindBox(HWND w, LPARAM found) {
  char cls[16];
  GetClassNameA(w, cls, sizeof cls);
  if (std::strcmp(cls, "#32770") || !IsWindowVisible(w)) return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

// Answers the error box that the test's thread shows: what it said, and
// presses a button.
struct BoxWatcher {
  std::string text;
  int button;
  DWORD thread;
  void Run() {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
      EnumThreadWindows(thread, FindBox, reinterpret_cast<LPARAM>(&box));
      if (!box) Sleep(20);
    }
    if (!box) return;
    char shown[256] = "";
    GetDlgItemTextA(box, 101, shown, sizeof shown);
    text = shown;
    PostMessageA(box, WM_COMMAND, button, 0);
  }
};

std::string ShowBox(HWND owner, int id, const char* prefix, int button, int* result) {
  BoxWatcher watcher = {"", button, GetCurrentThreadId()};
  std::thread th(&BoxWatcher::Run, &watcher);
  *result = QUELT_ErrorBox(owner, id, const_cast<char*>(prefix));
  th.join();
  return watcher.text;
}

TEST(QueltTexts, ErrorBoxAnswers) {
  HWND owner = CreateWindowA("EDIT", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, owner);
  int result = -1;
  EXPECT_EQ("Импорт\nискажен заголовок dbf-файла", ShowBox(owner, 90, "Импорт", 1, &result));
  EXPECT_EQ(1, result);
  EXPECT_EQ(owner, GetFocus());
  EXPECT_EQ("Ошибка 999", ShowBox(owner, 999, nullptr, 2, &result));
  EXPECT_EQ(0, result);
  // A long prefix gives way to the text within 127 bytes.
  const std::string prefix(300, 'p');
  const std::string shown = ShowBox(nullptr, 90, prefix.c_str(), 2, &result);
  EXPECT_EQ(127u, shown.size());
  EXPECT_EQ(std::string(99, 'p') + "\nискажен заголовок dbf-файла", shown);
  // A text Quelt lacks comes from the owner's module.
  HMODULE wennic = LoadLibraryA("Wennic.dll");
  ASSERT_NE(nullptr, wennic);
  HWND foreign = CreateWindowA("EDIT", "foreign", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               wennic, nullptr);
  char expected[128];
  ASSERT_GT(LoadStringA(wennic, 141, expected, sizeof expected), 0);
  EXPECT_EQ(expected, ShowBox(foreign, 141, nullptr, 2, &result));
  DestroyWindow(foreign);
  DestroyWindow(owner);
}

// The export table holds exactly the twenty exports, plain names.
TEST(QueltTexts, ExactlyTheTwentyExports) {
  HMODULE quelt = GetModuleHandleA("Quelt.dll");
  ASSERT_NE(nullptr, quelt);
  const BYTE* base = reinterpret_cast<const BYTE*>(quelt);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  const DWORD* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::string all;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) all += std::string(reinterpret_cast<const char*>(base + names[i])) + " ";
  EXPECT_EQ(
      "QUELT_Append QUELT_Close QUELT_Coder QUELT_Create QUELT_Delete QUELT_ErrorBox QUELT_ErrorTxt "
      "QUELT_FindField QUELT_Flush QUELT_GetHead QUELT_GetLastError QUELT_GetRec QUELT_Load QUELT_Lock "
      "QUELT_NewRec QUELT_Open QUELT_PutRec QUELT_RdMemo QUELT_Truncate QUELT_WrMemo ",
      all);
  EXPECT_EQ(20u, exports->NumberOfFunctions);
}

}  // namespace

namespace {

// Random calls on live, closed, null and made-up handles with random
// arguments: only numbered errors, and every table reopens with a count
// its file can hold.
class RandomCalls : public ::testing::Test {
 protected:
  uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  Table* AnyHandle() {
    switch (Next() % 8) {
      case 0:
        return nullptr;
      case 1:
        return reinterpret_cast<Table*>(static_cast<uintptr_t>(Next()));
      case 2:
        return stale.empty() ? nullptr : stale[Next() % stale.size()];
      default:
        return live.empty() ? nullptr : live[Next() % live.size()].table;
    }
  }
  DWORD AnyNumber() {
    static const DWORD numbers[] = {0, 1, 2, 3, 5, 40, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF};
    return Next() % 3 ? numbers[Next() % 9] : Next();
  }
  char* AnyBuffer() { return Next() % 10 ? buffer : nullptr; }

  struct Live {
    Table* table;
    LoggingClient* client;
  };
  uint32_t state = 29;
  char buffer[70000];
  std::vector<Live> live;
  std::vector<Table*> stale;
};

TEST_F(RandomCalls, OnlyNumberedErrors) {
  const std::string dir = WorkDir("random");
  std::vector<std::string> names;
  for (int i = 0; i < 3; ++i) {
    const std::string name = dir + "t" + std::to_string(i);
    CopyFileA(QUELT_FIXTURE_DIR "\\people.dbf", (name + ".dbf").c_str(), FALSE);
    CopyFileA(QUELT_FIXTURE_DIR "\\people.dbt", (name + ".dbt").c_str(), FALSE);
    names.push_back(name);
  }
  NotifyLog log;
  std::vector<std::unique_ptr<LoggingClient>> clients;
  std::set<DWORD> errors;
  const std::set<DWORD> numbered = {0, 2, 6, 8, 38, 80, 87, 90, 91, 93};
  for (int call = 0; call < 20000; ++call) {
    Table* t = AnyHandle();
    const DWORD n = AnyNumber();
    switch (Next() % 16) {
      case 0: {
        char name[MAX_PATH];
        std::strcpy(name, names[Next() % names.size()].c_str());
        clients.emplace_back(new LoggingClient(1, &log));
        if (Table* opened = QUELT_Open(Next() % 20 ? name : nullptr, clients.back().get()))
          live.push_back({opened, clients.back().get()});
        break;
      }
      case 1:
        if (!live.empty()) {
          const size_t i = Next() % live.size();
          if (QUELT_Close(live[i].table, live[i].client) == 0) stale.push_back(live[i].table);
          live.erase(live.begin() + i);
        } else {
          QUELT_Close(t, nullptr);
        }
        break;
      case 2: QUELT_GetHead(t, AnyBuffer(), Next() % sizeof buffer); break;
      case 3: QUELT_FindField(t, Next() % 2 ? const_cast<char*>("price") : AnyBuffer(), nullptr); break;
      case 4: QUELT_GetRec(t, n, AnyBuffer()); break;
      case 5: QUELT_PutRec(t, n % 8, AnyBuffer()); break;
      case 6: QUELT_NewRec(t, AnyBuffer()); break;
      case 7: QUELT_Append(t, AnyBuffer()); break;
      case 8: QUELT_Delete(t, n); break;
      case 9: QUELT_Truncate(t, n % 8 + 2); break;
      case 10: QUELT_Lock(t, Next() % 2); break;
      case 11: QUELT_Load(t, Next() % 2); break;
      case 12: QUELT_Flush(t, Next() % 2); break;
      case 13: QUELT_Coder(t, n); break;
      case 14: QUELT_RdMemo(t, AnyBuffer(), Next() % sizeof buffer); break;
      default: QUELT_WrMemo(t, AnyBuffer(), Next() % sizeof buffer); break;
    }
    errors.insert(QUELT_GetLastError(t));
  }
  for (const Live& l : live) QUELT_Close(l.table, l.client);
  for (DWORD e : errors) EXPECT_TRUE(numbered.count(e)) << "error " << e;
  for (const std::string& name : names) {
    const Bytes dbf = ReadAll(name + ".dbf");
    ASSERT_GE(dbf.size(), 32u);
    const uint32_t header = dbf[8] | dbf[9] << 8, record = dbf[10] | dbf[11] << 8;
    EXPECT_LE(Dword(dbf, 4), (dbf.size() - header) / record) << name;
  }
}

}  // namespace
