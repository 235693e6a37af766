// The record tree in this process over Praxel's record sets on both test
// data sources: the tree Show builds from TREE1 with its progress dialog,
// parameter texts refused before any caption, searches and the found list,
// deleted records, trees whose window or owner went, handlers that close
// the tree they fill, and the drag's refusals.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "caddel_test_support.h"
#include "gui_driver.h"
#include "host_test_support.h"
#include "odbc_session.h"
#include "window_test_support.h"

using caddel_test::Outline;
using caddel_test::Owner;
using caddel_test::PraxelSet;

namespace {

const char kParam[] = "EVENT=2001;ID=ID;OWN=OWNER;SORT;";
const char kQuery[] = "SELECT ID, OWNER, NAME FROM TREE1 ORDER BY ID";
const std::vector<std::string> kTree1 = {"Архив",   "Бюро",     "Склад",  "  Полка А",
                                         "    Ящик 1", "  Полка Б", "Потерянный"};

class TreeWindow : public ::testing::TestWithParam<const char*> {
 protected:
  static void SetUpTestSuite() {
    for (const char* source : {"KTEST", "KPGTEST"}) caddel_test::MakeTree1(source);
  }
  uint32_t Load() { return caddel_("CADDEL_Load", {Word(owner_.window())}); }
  uint32_t Show(uint32_t tree, RecordSetObject* records, const char* param) {
    owner_.records = records;
    return caddel_("CADDEL_Show", {tree, Word(records), Word(param)});
  }
  HWND TreeOf(uint32_t tree) { return reinterpret_cast<HWND>(caddel_("CADDEL_hWnd", {tree})); }
  uint32_t Call(const char* name, std::initializer_list<uint32_t> args) { return caddel_(name, args); }

  LibraryCall caddel_{"CADDEL"};
  Owner owner_;
};

TEST_P(TreeWindow, ShowBuildsTheTreeByKeyFieldsUnderItsProgressDialog) {
  PraxelSet set(GetParam(), kQuery);
  ASSERT_TRUE(set.open());
  uint32_t t = Load();
  ASSERT_NE(0u, t);
  HWND tree = TreeOf(t);
  EXPECT_EQ(WC_TREEVIEWA, gui::ClassOf(tree));
  EXPECT_EQ(0x50800027, GetWindowLongA(tree, GWL_STYLE));
  RECT client, area;
  GetClientRect(owner_.window(), &client);
  GetWindowRect(tree, &area);
  EXPECT_EQ(client.right, area.right - area.left);
  EXPECT_EQ(client.bottom, area.bottom - area.top);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_TRUE(images);
  EXPECT_EQ(3, ImageList_GetImageCount(images));
  int cx = 0, cy = 0;
  ImageList_GetIconSize(images, &cx, &cy);
  EXPECT_EQ(16, cx);
  EXPECT_EQ(16, cy);

  // Record 4's caption is asked while the dialog shows 4 of 7.
  int bar = -1;
  BOOL treeEnabled = TRUE;
  owner_.onRequest = [&](int request) {
    if (request != 4) return;
    HWND dialog = FindWindowA("#32770", "ЧТЕНИЕ");
    if (dialog) bar = static_cast<int>(SendDlgItemMessageA(dialog, 1000, PBM_GETPOS, 0, 0));
    treeEnabled = IsWindowEnabled(tree);
  };
  EXPECT_EQ(1u, Show(t, set.get(), kParam));
  EXPECT_EQ(7, owner_.requests);
  EXPECT_TRUE(owner_.buffersZeroed);
  EXPECT_EQ(57, bar);
  EXPECT_FALSE(treeEnabled);
  EXPECT_TRUE(IsWindowEnabled(tree));
  EXPECT_FALSE(FindWindowA("#32770", "ЧТЕНИЕ"));

  EXPECT_EQ(kTree1, Outline(tree));
  std::vector<caddel_test::Node> nodes = caddel_test::Nodes(tree);
  ASSERT_EQ(7u, nodes.size());
  std::vector<std::string> marked;
  for (const caddel_test::Node& n : nodes) {
    EXPECT_EQ(1, n.image) << n.text;
    EXPECT_EQ(2, n.selectedImage) << n.text;
    if (n.children) marked.push_back(std::string(2 * n.depth, ' ') + n.text);
  }
  // Top-level nodes of OWN 0 are marked; the tree view answers for the
  // others by their children (Полка А has Ящик 1).
  EXPECT_EQ((std::vector<std::string>{"Архив", "Бюро", "Склад", "  Полка А"}), marked);
  const uint32_t* store = nodes[2].data;
  EXPECT_EQ((std::vector<uint32_t>{1, 10, 0, 0, 0}), std::vector<uint32_t>(store, store + 5));
  EXPECT_EQ(4u, nodes[4].data[0]);
  EXPECT_EQ(40u, nodes[4].data[1]);

  if (std::strcmp(GetParam(), "KTEST") == 0) {
    TreeView_Expand(tree, TreeView_GetChild(tree, TreeView_GetRoot(tree)), TVE_EXPAND);
    EXPECT_EQ(1u, Call("CADDEL_Find", {t, Word("ящ")}));
    RedrawWindow(owner_.window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    host_test::PumpUntil([] { return false; }, 500);
    caddel_test::Screenshot("caddel_tree");
  }
  EXPECT_EQ(1u, Call("CADDEL_Close", {t}));
}

INSTANTIATE_TEST_SUITE_P(BothSources, TreeWindow, ::testing::Values("KTEST", "KPGTEST"));

class FreshTree : public TreeWindow {};

TEST_F(FreshTree, RefusedParametersAddNothingAndAskNothing) {
  caddel_test::MakeTree1("KTEST");
  PraxelSet set("KTEST", kQuery);
  ASSERT_TRUE(set.open());
  // No EVENT: the first record finds no caption and ends the fill.
  uint32_t t = Load();
  EXPECT_EQ(1u, Show(t, set.get(), "ID=ID;OWN=OWNER;"));
  EXPECT_TRUE(caddel_test::Nodes(TreeOf(t)).empty());
  Call("CADDEL_Close", {t});
  for (const char* param : {"EVENT=2001;ID=NOPE;OWN=OWNER;", "EVENT=2001;ID=ID;OWN=OWNER|NAME;",
                            "EVENT=2001;", "EVENT=2001;ID=;OWN=;", "EVENT=2001;ID=ID;",
                            "EVENT=2001;ID=ID|ID|ID|ID|ID;OWN=OWNER|OWNER|OWNER|OWNER|OWNER;"}) {
    uint32_t fresh = Load();
    EXPECT_EQ(0u, Show(fresh, set.get(), param)) << param;
    EXPECT_TRUE(caddel_test::Nodes(TreeOf(fresh)).empty()) << param;
    Call("CADDEL_Close", {fresh});
  }
  uint32_t fresh = Load();
  EXPECT_EQ(0u, caddel_("CADDEL_Show", {fresh, 0, Word(kParam)}));
  EXPECT_EQ(0u, Show(fresh, set.get(), nullptr));
  EXPECT_EQ(0, owner_.requests);
  // Keys and field names: without case, a SORT without its ";", names
  // separated by "|" (two key fields here).
  EXPECT_EQ(1u, Show(fresh, set.get(), "event=2001;Id=ID|NAME;own=OWNER|NAME;sort"));
  EXPECT_EQ(7, owner_.requests);
  EXPECT_EQ(7u, caddel_test::Nodes(TreeOf(fresh)).size());
  Call("CADDEL_Close", {fresh});
}

TEST_F(FreshTree, SearchesWalkDepthFirstAndTheFoundListFollowsDeletes) {
  caddel_test::MakeTree1("KTEST");
  PraxelSet set("KTEST", kQuery);
  ASSERT_TRUE(set.open());
  uint32_t t = Load();
  HWND tree = TreeOf(t);
  // Before any Show: nothing to find, append or edit.
  EXPECT_EQ(0u, Call("CADDEL_FindNext", {t, 0}));
  EXPECT_EQ(0u, Call("CADDEL_Append", {t, 1}));
  EXPECT_EQ(0u, Call("CADDEL_Edit", {t, 1}));
  EXPECT_EQ(1u, Call("CADDEL_Delete", {t, 1})) << "an empty tree";
  ASSERT_EQ(1u, Show(t, set.get(), kParam));

  uint32_t before = Call("CADDEL_Selected", {t});
  EXPECT_EQ(0u, Call("CADDEL_FindAll", {t, Word("zz")}));
  EXPECT_EQ(0u, Call("CADDEL_FindNext", {t, 0}));
  EXPECT_EQ(before, Call("CADDEL_Selected", {t})) << "nothing newly selected";
  EXPECT_EQ(0u, Call("CADDEL_FindAll", {t, 0}));
  EXPECT_EQ(0u, Call("CADDEL_Find", {t, Word("")}));

  // The caller's pattern stays as it was given.
  char pattern[] = "п*б";
  EXPECT_EQ(1u, Call("CADDEL_Find", {t, Word(pattern)}));
  EXPECT_STREQ("п*б", pattern);
  EXPECT_EQ(7u, Call("CADDEL_Selected", {t}));
  EXPECT_EQ(2u, Call("CADDEL_FindAll", {t, Word("п?л")}));
  EXPECT_EQ(1u, Call("CADDEL_FindNext", {t, 0}));
  EXPECT_EQ(2u, Call("CADDEL_Selected", {t}));
  EXPECT_EQ(0u, Call("CADDEL_FindNext", {t, 1}));
  EXPECT_EQ(7u, Call("CADDEL_Selected", {t}));
  EXPECT_EQ(1u, Call("CADDEL_FindNext", {t, static_cast<uint32_t>(-3)})) << "below 0 acts as 0";
  EXPECT_EQ(2u, Call("CADDEL_Selected", {t}));

  // ID values are kept in 16 bits.
  EXPECT_EQ(2u, Call("CADDEL_Index", {t, 20 + 65536, 0, 0, 0}));
  EXPECT_EQ(0u, Call("CADDEL_Index", {t, 99, 0, 0, 0}));

  EXPECT_EQ(7u, Call("CADDEL_FindAll", {t, Word("*")}));
  EXPECT_EQ(1u, Call("CADDEL_Delete", {t, 1}));
  EXPECT_EQ((std::vector<std::string>{"Архив", "Бюро", "Потерянный"}), Outline(tree));
  // The deleted nodes left the found list: 3, 6, 5 remain.
  std::vector<uint32_t> selected;
  uint32_t next = 0;
  do {
    next = Call("CADDEL_FindNext", {t, next});
    selected.push_back(Call("CADDEL_Selected", {t}));
  } while (next != 0);
  EXPECT_EQ((std::vector<uint32_t>{3, 6, 5}), selected);
  EXPECT_EQ(0u, Call("CADDEL_Delete", {t, 2}));
  EXPECT_EQ(0u, Call("CADDEL_Index", {t, 20, 0, 0, 0}));
  EXPECT_EQ(0u, Call("CADDEL_Append", {t, 0}));
  EXPECT_EQ(0u, Call("CADDEL_Append", {t, 8}));
  EXPECT_EQ(0u, Call("CADDEL_Edit", {t, 8}));
  // Re-added, the parent is found again by its ID.
  EXPECT_EQ(1u, Call("CADDEL_Append", {t, 1}));
  EXPECT_EQ(1u, Call("CADDEL_Append", {t, 2}));
  EXPECT_EQ((std::vector<std::string>{"Архив", "Бюро", "Потерянный", "Склад", "  Полка А"}),
            Outline(tree));
  EXPECT_EQ(2u, Call("CADDEL_Index", {t, 20, 0, 0, 0}));

  // A later Show keeps the keys, the caption command and SORT.
  owner_.suffix = "+";
  EXPECT_EQ(1u, Show(t, set.get(), "SIZE=3;"));
  EXPECT_EQ("Архив+", Outline(tree)[1]);
  EXPECT_EQ(12u, caddel_test::Nodes(tree).size());
  EXPECT_EQ(1u, Call("CADDEL_Close", {t}));
  EXPECT_EQ(0u, Call("CADDEL_Close", {t}));
  EXPECT_EQ(0u, Call("CADDEL_Selected", {t}));
  EXPECT_FALSE(IsWindow(tree));
}

// Equal keys: a record's owner, and Index, is the first node with its ID in
// the tree's depth-first order, also where a sorted node went before an
// earlier one; ID values are 16 bits.
TEST_F(FreshTree, EqualKeysGoToTheFirstNodeDepthFirst) {
  {
    OdbcSession s("KTEST");
    s.Try("DROP TABLE TREE2");
    s.Run({"CREATE TABLE TREE2 (K INTEGER PRIMARY KEY, ID INTEGER, OWNER INTEGER, NAME VARCHAR(20))",
           "INSERT INTO TREE2 VALUES (1, 7, 0, 'Я'), (2, 7, 0, 'В'), (3, 9, 65543, 'дочь'), (4, 5, 9, 'внучка')"});
  }
  PraxelSet set("KTEST", "SELECT K, ID, OWNER, NAME FROM TREE2 ORDER BY K");
  ASSERT_TRUE(set.open());
  for (bool sorted : {true, false}) {
    uint32_t t = Load();
    ASSERT_EQ(1u, Show(t, set.get(), sorted ? kParam : "EVENT=2001;ID=ID;OWN=OWNER;"));
    std::vector<std::string> outline = {"В", "  дочь", "    внучка", "Я"};
    if (!sorted) outline = {"Я", "  дочь", "    внучка", "В"};
    EXPECT_EQ(outline, Outline(TreeOf(t)));
    EXPECT_EQ(sorted ? 2u : 1u, Call("CADDEL_Index", {t, 7, 0, 0, 0}));
    EXPECT_EQ(1u, Call("CADDEL_Delete", {t, sorted ? 2u : 1u}));
    EXPECT_EQ(sorted ? 1u : 2u, Call("CADDEL_Index", {t, 7, 0, 0, 0}));
    EXPECT_EQ(0u, Call("CADDEL_Index", {t, 5, 0, 0, 0})) << "went with its grandparent";
    Call("CADDEL_Close", {t});
  }
}

TEST_F(FreshTree, HandlersCannotCloseTheTreeTheyFillAndDeadOwnersAreSurvived) {
  caddel_test::MakeTree1("KTEST");
  PraxelSet set("KTEST", kQuery);
  ASSERT_TRUE(set.open());
  uint32_t t = Load();
  std::vector<uint32_t> closes;
  owner_.onRequest = [&](int) { closes.push_back(Call("CADDEL_Close", {t})); };
  EXPECT_EQ(1u, Show(t, set.get(), kParam));
  EXPECT_EQ(std::vector<uint32_t>(7, 0), closes);
  EXPECT_EQ(7u, caddel_test::Nodes(TreeOf(t)).size());
  // Edit's caption request, too.
  closes.clear();
  owner_.suffix = " 2";
  EXPECT_EQ(1u, Call("CADDEL_Edit", {t, 3}));
  EXPECT_EQ(std::vector<uint32_t>{0}, closes);
  EXPECT_EQ("Архив 2", Outline(TreeOf(t))[0]);
  // A caption is kept to 127 characters, whatever the handler wrote.
  owner_.suffix = std::string(300, 'x');
  EXPECT_EQ(1u, Call("CADDEL_Edit", {t, 3}));
  EXPECT_EQ("Архив" + std::string(122, 'x'), Outline(TreeOf(t))[0]);
  owner_.onRequest = nullptr;
  EXPECT_EQ(1u, Call("CADDEL_Close", {t}));

  // The owner destroyed by the third request: the fill stops; the tree
  // answers 0 or FALSE, and Close still frees it.
  Owner dying;
  dying.records = set.get();
  uint32_t d = caddel_("CADDEL_Load", {Word(dying.window())});
  ASSERT_NE(0u, d);
  dying.onRequest = [&](int request) {
    if (request == 3) DestroyWindow(dying.window());
  };
  EXPECT_EQ(0u, caddel_("CADDEL_Show", {d, Word(set.get()), Word(kParam)}));
  EXPECT_EQ(3, dying.requests);
  EXPECT_EQ(0u, Call("CADDEL_hWnd", {d}));
  EXPECT_EQ(0u, Call("CADDEL_FindAll", {d, Word("*")}));
  EXPECT_EQ(0u, Call("CADDEL_Append", {d, 1}));
  EXPECT_EQ(0u, Call("CADDEL_Index", {d, 10, 0, 0, 0}));
  EXPECT_EQ(1u, Call("CADDEL_Close", {d}));
  EXPECT_EQ(0u, Call("CADDEL_Close", {d}));

  // A tree asked for from another thread is made on its window's thread,
  // while that thread takes its messages.
  std::atomic<uint32_t> other{0};
  std::atomic<bool> asked{false};
  std::thread asking([&] {
    other = caddel_("CADDEL_Load", {Word(owner_.window())});
    asked = true;
  });
  EXPECT_TRUE(host_test::PumpUntil([&] { return asked.load(); }, 30000));
  asking.join();
  ASSERT_NE(0u, other.load());
  HWND made = reinterpret_cast<HWND>(static_cast<uintptr_t>(Call("CADDEL_hWnd", {other})));
  EXPECT_EQ(GetCurrentThreadId(), GetWindowThreadProcessId(made, nullptr));
  EXPECT_EQ(1u, Call("CADDEL_Close", {other}));
  EXPECT_EQ(0u, caddel_("CADDEL_Load", {0}));
}

// A record removed through Praxel: its page marks it on a data source
// whose driver reports the row deleted; where none does, the record set of
// the last source is seen through a wrapper that marks it.
TEST_F(FreshTree, DeletedRecordsGetNoNode) {
  std::unique_ptr<PraxelSet> set;
  bool marked = false;
  for (const char* source : {"KTEST", "KPGTEST"}) {
    caddel_test::MakeTree1(source, "TREE1D");
    set.reset(new PraxelSet(source, "SELECT ID, OWNER, NAME FROM TREE1D ORDER BY ID"));
    ASSERT_TRUE(set->open());
    ASSERT_NE(0u, set->praxel()("PRAXEL_Remove", {set->handle(), 4}));
    ASSERT_TRUE(set->get()->GoToRecord(4));
    if ((marked = set->get()->IsDeleted() == 1)) break;
  }
  caddel_test::DeletedMarks wrapper(set->get(), {4});
  RecordSetObject* records = marked ? set->get() : &wrapper;
  uint32_t t = Load();
  EXPECT_EQ(1u, Show(t, records, kParam));
  EXPECT_EQ(6, owner_.requests);
  EXPECT_EQ((std::vector<std::string>{"Архив", "Бюро", "Склад", "  Полка А", "  Полка Б", "Потерянный"}),
            Outline(TreeOf(t)));
  EXPECT_EQ(1u, Call("CADDEL_Append", {t, 4})) << "skipped with success";
  EXPECT_EQ(6u, caddel_test::Nodes(TreeOf(t)).size());
  EXPECT_EQ(0u, Call("CADDEL_Edit", {t, 4}));
  Call("CADDEL_Close", {t});
}

TEST_F(FreshTree, DragStartsOnlyFromThisTreesNotice) {
  caddel_test::MakeTree1("KTEST");
  PraxelSet set("KTEST", kQuery);
  ASSERT_TRUE(set.open());
  uint32_t t = Load();
  ASSERT_EQ(1u, Show(t, set.get(), kParam));
  HWND tree = TreeOf(t);
  NMTREEVIEWA notice = {};
  notice.hdr.hwndFrom = tree;
  notice.hdr.code = TVN_SELCHANGEDA;
  notice.itemNew.hItem = TreeView_GetRoot(tree);
  EXPECT_EQ(0u, Call("CADDEL_Drag", {t, 0}));
  EXPECT_EQ(0u, Call("CADDEL_Drag", {t, 0x10}));
  EXPECT_EQ(0u, Call("CADDEL_Drag", {t, Word(&notice)})) << "not a begin-drag notice";
  notice.hdr.code = TVN_BEGINDRAGA;
  notice.hdr.hwndFrom = owner_.window();
  EXPECT_EQ(0u, Call("CADDEL_Drag", {t, Word(&notice)})) << "from another window";
  notice.hdr.hwndFrom = tree;
  EXPECT_EQ(3u, Call("CADDEL_Drag", {t, Word(&notice)}));
  EXPECT_EQ(owner_.window(), GetCapture());
  RECT third = {};
  HTREEITEM target = TreeView_GetNextSibling(tree, TreeView_GetNextSibling(tree, TreeView_GetRoot(tree)));
  ASSERT_TRUE(TreeView_GetItemRect(tree, target, &third, TRUE));
  EXPECT_EQ(0u, Call("CADDEL_Drag", {t, MAKELPARAM(third.left + 2, third.top + 2)}));
  EXPECT_EQ("Склад", caddel_test::Selected(tree));
  // Close ends the drag under way.
  EXPECT_EQ(1u, Call("CADDEL_Close", {t}));
  EXPECT_EQ(nullptr, GetCapture());
}

}  // namespace
