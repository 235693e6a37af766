// PRAXEL's connection exports as the binder calls them, on both data
// sources: joining by name, use counts, quiet failures into a text block,
// the failure box, the user log, clones and unknown handles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>
#include <string>

#include "gui_driver.h"
#include "library_call.h"
#include "odbc_session.h"
#include "variable.h"

namespace {

const LibraryCall praxel("PRAXEL");

uint32_t Text(const char* text) { return Word(text); }

uint32_t BaseOpen(uint32_t window, const char* connect, uint32_t options) {
  return praxel("PRAXEL_BaseOpen", {window, Text(connect), options});
}
uint32_t BaseClose(uint32_t base) { return praxel("PRAXEL_BaseClose", {base}); }
uint32_t BaseLog(uint32_t base, const std::string& message) {
  return praxel("PRAXEL_BaseLog", {base, Text(message.c_str())});
}

// A VARIABLE result: its type and text, then handed back to RELEASE.
std::string Record(uint32_t word) {
  if (!word) return "-";
  const VARIABLE& v = *reinterpret_cast<const VARIABLE*>(word);
  char text[kValueTextSize] = "";
  std::string out = VARIABLE::TypeName(v.type);
  if (v.type != VAL_NULL) out += std::string(":") + v.GetText(text, sizeof text, 0);
  praxel("RELEASE", {word});
  return out;
}

// A quiet block as a caller makes it: the count word only.
HGLOBAL EmptyBlock() {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 2);
  *static_cast<uint16_t*>(GlobalLock(block)) = 2;
  GlobalUnlock(block);
  return block;
}

std::string BlockText(HGLOBAL block, uint16_t* used) {
  const char* p = static_cast<const char*>(GlobalLock(block));
  std::memcpy(used, p, 2);
  std::string text(p + 2);
  GlobalUnlock(block);
  return text;
}

const char kNotFound[] =
    "[unixODBC][Driver Manager]Data source name not found and no default driver specified";

TEST(BaseExports, SameDataSourceIsJoinedAndCountedOnBothDrivers) {
  for (const char* dsn : kDataSources) {
    std::string lower = std::string("DSN=") + dsn + ";";
    for (size_t i = 4; i < lower.size(); ++i) lower[i] = static_cast<char>(tolower(lower[i]));
    uint32_t first = BaseOpen(0, lower.c_str(), 2);
    ASSERT_NE(0u, first) << dsn;
    std::string second = std::string("DSN=") + dsn + "; UID=x";
    EXPECT_EQ(first, BaseOpen(0, second.c_str(), 2)) << dsn;
    EXPECT_EQ(1u, BaseClose(first));
    EXPECT_EQ(0u, BaseClose(first));
    EXPECT_EQ(65535u, BaseClose(first));
    uint32_t again = BaseOpen(0, lower.c_str(), 2);
    EXPECT_NE(0u, again) << "the environment was freed with the last connection";
    EXPECT_EQ(0u, BaseClose(again));
  }
  // The caller's text is never changed (squeezed or upper-cased).
  char connect[] = "  DSN=ktest ;  ";
  uint32_t base = BaseOpen(0, connect, 2);
  EXPECT_NE(0u, base);
  EXPECT_STREQ("  DSN=ktest ;  ", connect);
  EXPECT_EQ(0u, BaseClose(base));
}

TEST(BaseExports, UserOfTheConnectionAndClones) {
  uint32_t pg = BaseOpen(0, "DSN=KPGTEST;", 2);
  ASSERT_NE(0u, pg);
  EXPECT_EQ("STRING:korvex", Record(praxel("PRAXEL_BaseUser", {pg})));
  uint32_t clone = praxel("PRAXEL_BaseClone", {pg, 0});
  ASSERT_NE(0u, clone);
  EXPECT_NE(pg, clone);
  EXPECT_EQ("STRING:korvex", Record(praxel("PRAXEL_BaseUser", {clone})));
  EXPECT_EQ(1u, praxel("PRAXEL_Dictionary", {clone, Text("MSSQL")}));
  EXPECT_EQ(0u, BaseClose(clone));
  // The source and the environment stay usable; a new open joins the source.
  EXPECT_EQ(pg, BaseOpen(0, "DSN=KPGTEST;", 2));
  EXPECT_EQ(1u, BaseClose(pg));
  EXPECT_EQ(0u, BaseClose(pg));

  EXPECT_EQ("NULL", Record(praxel("PRAXEL_BaseUser", {pg})));
  EXPECT_EQ(0u, praxel("PRAXEL_BaseClone", {pg, 0}));
  EXPECT_EQ(0u, praxel("PRAXEL_Dictionary", {pg, Text("W1251")}));
  EXPECT_EQ(0u, BaseLog(pg, "hello"));
  praxel("RELEASE", {0});  // does nothing
}

TEST(BaseExports, QuietFailureFillsTheCallersBlock) {
  gui::BoxWatcher watcher;
  HGLOBAL block = EmptyBlock();
  EXPECT_EQ(0u, BaseOpen(Word(block), "DSN=NOSUCH;", 2));
  uint16_t used = 0;
  EXPECT_EQ(std::string(kNotFound) + "\r\n", BlockText(block, &used));
  EXPECT_EQ(88u, used);
  // A null text is an empty one: the driver manager refuses it at once.
  EXPECT_EQ(0u, BaseOpen(Word(block), nullptr, 2));
  EXPECT_EQ(std::string(kNotFound) + "\r\n" + kNotFound + "\r\n", BlockText(block, &used));
  EXPECT_EQ(174u, used);
  GlobalFree(block);
  EXPECT_TRUE(watcher.Boxes().empty());
  // A block handle that names nothing gets nothing, and nothing breaks.
  EXPECT_EQ(0u, BaseOpen(0, "DSN=NOSUCH;", 2));
}

TEST(BaseExports, FailureShowsOneBoxPerDiagnostic) {
  gui::BoxWatcher watcher;
  EXPECT_EQ(0u, BaseOpen(0, "DSN=NOSUCH;", 0));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("BaseOpen", boxes[0].caption);
  EXPECT_EQ(std::string(kNotFound) + " [IM002]", boxes[0].text);
  EXPECT_EQ(std::vector<int>{IDOK}, boxes[0].buttons);
}

TEST(BaseExports, UserLogWritesDatedLinesToTheFirstFile) {
  std::string first = TempFile("praxel_log_first.txt");
  std::string second = TempFile("praxel_log_second.txt");
  uint32_t base = BaseOpen(0, "DSN=KTEST;", 2);
  ASSERT_NE(0u, base);
  EXPECT_EQ(0u, BaseLog(base, "before"));  // the log is off
  EXPECT_EQ(0u, praxel("PRAXEL_BaseLog", {base, 0}));
  EXPECT_EQ(1u, BaseLog(base, "logon=" + first));
  EXPECT_EQ(1u, BaseLog(base, "LOGON=" + second));
  EXPECT_EQ(1u, BaseLog(base, "hello"));
  EXPECT_EQ(1u, BaseLog(base, "LogOffXYZ"));
  EXPECT_EQ(0u, BaseLog(base, "again"));
  std::string line = ReadFileText(first);
  EXPECT_TRUE(std::regex_match(
      line, std::regex("\\d{4}\\.[1-9]\\d?\\.[1-9]\\d?\\t\\d{1,2}:\\d{1,2}:\\d{1,2}\\thello\\r\\n")))
      << line;
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(second.c_str()));
  // Lines are appended to a file that exists.
  EXPECT_EQ(1u, BaseLog(base, "LOGON=" + first));
  EXPECT_EQ(1u, BaseLog(base, "more"));
  std::string both = ReadFileText(first);
  EXPECT_EQ(2, std::count(both.begin(), both.end(), '\n'));
  // A file that can be neither made nor opened: FALSE.
  EXPECT_EQ(1u, BaseLog(base, "LOGOFF"));
  EXPECT_EQ(1u, BaseLog(base, "LOGON=Z:\\no\\such\\dir\\log.txt"));
  EXPECT_EQ(0u, BaseLog(base, "lost"));
  EXPECT_EQ(0u, BaseClose(base));
}

}  // namespace
