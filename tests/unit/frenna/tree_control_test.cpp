// The tree control in this process over Praxel's record sets: the nodes a
// fill places, depth first, as the tree view holds them; the caption
// requests; the selection and its text; fills added to fills; settings and
// record sets refused; fields read afresh; the caption buffer's end;
// owners that destroy the control; and what the control frees.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "gui_driver.h"
#include "odbc_session.h"
#include "tree_test_support.h"

using frenna_test::Outline;
using frenna_test::PraxelSet;

namespace {

const UINT kCaptionCommand = 3100;
const int kBuffer = 128;

// The owner's caption window: each request is counted and answered with
// the current record's NAME, or with a buffer filled to its last byte.
struct Captions {
  RecordSetObject* records = nullptr;
  int requests = 0;
  bool allZero = true;   // every buffer came filled with zeros
  bool allCommand = true;  // every request carried the caption command
  bool fillWhole = false;
  int destroyAt = 0;  // the request at which the control is destroyed
  HWND control = nullptr;
};
Captions captions;

LRESULT CALLBACK CaptionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND) return DefWindowProcA(window, message, wParam, lParam);
  char* buffer = reinterpret_cast<char*>(lParam);
  ++captions.requests;
  captions.allCommand = captions.allCommand && wParam == kCaptionCommand;
  for (int i = 0; i < kBuffer; ++i) captions.allZero = captions.allZero && buffer[i] == '\0';
  if (captions.fillWhole)
    memset(buffer, '\xC6', kBuffer);  // 'Ж'
  else if (captions.records)
    captions.records->GetFieldTextByName("NAME", buffer, kBuffer);
  if (captions.requests == captions.destroyAt) DestroyWindow(captions.control);
  return 0;
}

class TreeControl : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    frenna_test::MakeTreeTables();
    library_ = LoadLibraryA("FRENNA");
    WNDCLASSA kind = {};
    kind.lpfnWndProc = CaptionProc;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = "FRENNA_TEST_CAPTIONS";
    RegisterClassA(&kind);
  }
  static void TearDownTestSuite() { FreeLibrary(library_); }

  void SetUp() override {
    ASSERT_TRUE(library_);
    captions = Captions();
    dialog_ = CreateWindowExA(0, "STATIC", "Дерево", WS_POPUP | WS_VISIBLE | WS_CAPTION, 40, 40,
                              320, 280, nullptr, nullptr, nullptr, nullptr);
    control_ = CreateWindowExA(0, "TREERS", "Заголовок", WS_CHILD | WS_BORDER, 10, 10, 260, 220,
                               dialog_, reinterpret_cast<HMENU>(102), nullptr, nullptr);
    ASSERT_TRUE(control_);
    tree_ = GetWindow(control_, GW_CHILD);
    owner_ = CreateWindowExA(0, "FRENNA_TEST_CAPTIONS", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             nullptr, nullptr);
    captions.control = control_;
  }
  void TearDown() override {
    DestroyWindow(owner_);
    DestroyWindow(dialog_);
  }

  // WM_SETTEXT with the record set and "<caption window>,<command>[,sort]".
  LRESULT Fill(RecordSetObject* records, const std::string& tail = ",3100,0") {
    captions.records = records;
    std::string settings = std::to_string(reinterpret_cast<intptr_t>(owner_)) + tail;
    return SendMessageA(control_, WM_SETTEXT, reinterpret_cast<WPARAM>(records),
                        reinterpret_cast<LPARAM>(settings.c_str()));
  }
  std::string Text(WPARAM size = 16, LRESULT* length = nullptr) {
    char buffer[32] = "";
    LRESULT n = SendMessageA(control_, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer));
    if (length) *length = n;
    return buffer;
  }
  std::string RealTitle() {
    WCHAR title[64] = L"";
    InternalGetWindowText(control_, title, 64);
    char text[64] = "";
    WideCharToMultiByte(CP_ACP, 0, title, -1, text, sizeof text, nullptr, nullptr);
    return text;
  }

  static HMODULE library_;
  HWND dialog_ = nullptr;
  HWND control_ = nullptr;
  HWND tree_ = nullptr;
  HWND owner_ = nullptr;
};
HMODULE TreeControl::library_ = nullptr;

TEST_F(TreeControl, FillsDepthFirstAndSelectsTheCurrentRecord) {
  EXPECT_EQ(WC_TREEVIEWA, gui::ClassOf(tree_));
  EXPECT_EQ(0x50000027, GetWindowLongA(tree_, GWL_STYLE));
  RECT client, tree;
  GetClientRect(control_, &client);
  GetWindowRect(tree_, &tree);
  EXPECT_EQ(client.right, tree.right - tree.left);
  EXPECT_EQ(client.bottom, tree.bottom - tree.top);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(tree_, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_TRUE(images);
  EXPECT_EQ(3, ImageList_GetImageCount(images));
  int cx = 0, cy = 0;
  ImageList_GetIconSize(images, &cx, &cy);
  EXPECT_EQ(16, cx);
  EXPECT_EQ(16, cy);
  EXPECT_EQ(16, SendMessageA(control_, WM_GETTEXTLENGTH, 0, 0));
  EXPECT_EQ(129, SendMessageA(control_, WM_GETDLGCODE, 0, 0));
  EXPECT_EQ("0", Text()) << "nothing selected";

  PraxelSet regions(frenna_test::kTreeQuery, 5);
  ASSERT_TRUE(regions.open());
  EXPECT_FALSE(IsWindowVisible(control_));
  EXPECT_EQ(0, Fill(regions.get()));
  EXPECT_EQ(frenna_test::kRegions, Outline(tree_));
  std::vector<int> children;
  for (const frenna_test::Node& n : frenna_test::Nodes(tree_)) {
    EXPECT_EQ(1, n.image) << n.text;
    EXPECT_EQ(2, n.selectedImage) << n.text;
    if (n.depth == 0) children.push_back(n.children);
  }
  EXPECT_EQ((std::vector<int>{1, 1, 0, 0, 1}), children);
  EXPECT_EQ("Холмогоры", frenna_test::Selected(tree_));
  LRESULT length = 0;
  EXPECT_EQ("5", Text(16, &length));
  EXPECT_EQ(1, length);
  EXPECT_EQ(5, regions.Current());
  EXPECT_EQ(8, captions.requests);
  EXPECT_TRUE(captions.allZero);
  EXPECT_TRUE(captions.allCommand);
  EXPECT_TRUE(IsWindowVisible(control_));
  EXPECT_EQ("Заголовок", RealTitle()) << "the window text stays";

  // The text's buffer: at most size - 1 digits and the zero.
  char buffer[4] = {'x', 'y', 'z', '\0'};
  EXPECT_EQ(0, SendMessageA(control_, WM_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)));
  EXPECT_EQ('\0', buffer[0]);
  EXPECT_EQ('y', buffer[1]);
  buffer[0] = 'x';
  EXPECT_EQ(0, SendMessageA(control_, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)));
  EXPECT_EQ('x', buffer[0]);
  EXPECT_EQ(0, SendMessageA(control_, WM_GETTEXT, 16, 0));

  // A second fill adds beside the nodes there: its first node goes first,
  // and owners are the first nodes depth first of both fills.
  EXPECT_EQ(0, Fill(regions.get()));
  EXPECT_EQ((std::vector<std::string>{
                "Север 0x0001000A", "  Архангельск 0x00020014", "    Холмогоры 0x00050032",
                "Север 0x0001000A", "  Архангельск 0x00020014", "    Холмогоры 0x00050032",
                "Юг 0x0003001E", "  Краснодар 0x00040028", "  Краснодар 0x00040028",
                "Сирота 0x0006003C", "Раньше 0x00070046", "Запад 0x00080050",
                "  Раньше 0x00070046", "Юг 0x0003001E", "Сирота 0x0006003C", "Запад 0x00080050"}),
            Outline(tree_));
  HTREEITEM first = TreeView_GetRoot(tree_);
  HTREEITEM selected = TreeView_GetSelection(tree_);
  EXPECT_EQ(TreeView_GetChild(tree_, TreeView_GetChild(tree_, first)), selected)
      << "the first node of record 5";
  EXPECT_EQ(16, captions.requests);
}

// Keys that repeat: a record's owner is the first node with its ID in the
// order the tree view shows, also where a sorted caption or a later child
// went before an earlier node.
TEST_F(TreeControl, OwnersAreTheFirstNodesDepthFirstSortedOrNot) {
  {
    OdbcSession s("KTEST");
    s.Try("DROP TABLE FRENNA_TD");
    s.Run({"CREATE TABLE FRENNA_TD (K INTEGER PRIMARY KEY, ID INTEGER, OWN INTEGER, NAME VARCHAR(20))",
           "INSERT INTO FRENNA_TD VALUES (1, 1, 0, 'Б'), (2, 7, 0, 'Я'), (3, 7, 0, 'В'), "
           "(4, 9, 7, 'дочь'), (5, 2, 0, 'Г'), (6, 5, 2, 'Г5'), (7, 5, 1, 'Б5'), (8, 6, 5, 'внук')"});
  }
  PraxelSet set("SELECT K, ID, OWN, NAME FROM FRENNA_TD ORDER BY K", 1);
  ASSERT_TRUE(set.open());
  EXPECT_EQ(0, Fill(set.get()));
  EXPECT_EQ((std::vector<std::string>{"Б 0x00010001", "  Б5 0x00070005", "    внук 0x00080006",
                                      "Я 0x00020007", "  дочь 0x00040009", "В 0x00030007",
                                      "Г 0x00050002", "  Г5 0x00060005"}),
            Outline(tree_));
  EXPECT_EQ("Б", frenna_test::Selected(tree_));

  DestroyWindow(control_);
  control_ = CreateWindowExA(0, "TREERS", "", WS_CHILD, 10, 10, 260, 220, dialog_, nullptr,
                             nullptr, nullptr);
  tree_ = GetWindow(control_, GW_CHILD);
  EXPECT_EQ(0, Fill(set.get(), ",3100,1"));
  EXPECT_EQ((std::vector<std::string>{"Б 0x00010001", "  Б5 0x00070005", "    внук 0x00080006",
                                      "В 0x00030007", "  дочь 0x00040009", "Г 0x00050002",
                                      "  Г5 0x00060005", "Я 0x00020007"}),
            Outline(tree_));
}

TEST_F(TreeControl, RefusedSettingsAndRecordSetsChangeNothing) {
  PraxelSet regions(frenna_test::kTreeQuery, 3);
  ASSERT_TRUE(regions.open());
  std::string owner = std::to_string(reinterpret_cast<intptr_t>(owner_));
  const char* texts[] = {"", "12", "a,b", ",3100"};
  for (const char* text : texts)
    EXPECT_EQ(0, SendMessageA(control_, WM_SETTEXT, reinterpret_cast<WPARAM>(regions.get()),
                              reinterpret_cast<LPARAM>(text)))
        << text;
  EXPECT_EQ(0, SendMessageA(control_, WM_SETTEXT, reinterpret_cast<WPARAM>(regions.get()), 0));
  EXPECT_EQ(0, SendMessageA(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((owner + ",3100,0").c_str())));
  EXPECT_EQ(0, captions.requests);
  EXPECT_EQ(0, TreeView_GetCount(tree_));
  EXPECT_FALSE(IsWindowVisible(control_));
  EXPECT_EQ("Заголовок", RealTitle());

  // More records than a node can number: refused before the first node.
  PraxelSet big("SELECT K, ID, OWN, NAME FROM FRENNA_BIG ORDER BY K", 7);
  ASSERT_TRUE(big.open());
  ASSERT_EQ(65536, big->RecordCount());
  EXPECT_EQ(0, Fill(big.get()));
  EXPECT_EQ(0, captions.requests);
  EXPECT_EQ(0, TreeView_GetCount(tree_));
  EXPECT_FALSE(IsWindowVisible(control_));
  EXPECT_EQ(7, big.Current());

  // An empty record set fills an empty tree; a caption window that is none
  // leaves every caption empty (two numbers: no sorting).
  PraxelSet none("SELECT K, ID, OWN, NAME FROM FRENNA_TR WHERE K > 100");
  ASSERT_TRUE(none.open());
  EXPECT_EQ(0, Fill(none.get()));
  EXPECT_TRUE(IsWindowVisible(control_));
  EXPECT_EQ(0, TreeView_GetCount(tree_));
  EXPECT_EQ("0", Text());
  EXPECT_EQ(0, SendMessageA(control_, WM_SETTEXT, reinterpret_cast<WPARAM>(regions.get()),
                            reinterpret_cast<LPARAM>("0,3100")));
  std::vector<frenna_test::Node> nodes = frenna_test::Nodes(tree_);
  ASSERT_EQ(8u, nodes.size());
  for (const frenna_test::Node& n : nodes) EXPECT_EQ("", n.text);
  EXPECT_EQ("3", Text());
}

// Digit groups, missing fields and 16-bit values.
TEST_F(TreeControl, FieldsAreReadAfreshWithoutBlanks) {
  {
    OdbcSession s("KTEST");
    s.Try("DROP TABLE FRENNA_TX");
    s.Run({"CREATE TABLE FRENNA_TX (K INTEGER PRIMARY KEY, ID VARCHAR(10), OWN VARCHAR(10), NAME VARCHAR(20))",
           "INSERT INTO FRENNA_TX VALUES (1, ' 1 234', '0', 'Тысяча'), (2, '7', '1 234', 'Дочь'), "
           "(3, '65546', '66770', 'Большой'), (4, '9', '10', 'Внук')"});
  }
  PraxelSet grouped("SELECT K, ID, OWN, NAME FROM FRENNA_TX ORDER BY K");
  ASSERT_TRUE(grouped.open());
  EXPECT_EQ(0, Fill(grouped.get()));
  EXPECT_EQ((std::vector<std::string>{"Тысяча 0x000104D2", "  Дочь 0x00020007",
                                      "  Большой 0x0003000A", "    Внук 0x00040009"}),
            Outline(tree_));
  // No record was current: nothing is selected, and the record set stays
  // on the last record the fill read.
  EXPECT_EQ("0", Text());
  EXPECT_EQ(4, grouped.Current());

  // Without a field "ID" every ID reads 0, not the OWN text read before it
  // into the same kind of buffer: no record finds an owner.
  DestroyWindow(control_);
  control_ = CreateWindowExA(0, "TREERS", "", WS_CHILD, 10, 10, 260, 220, dialog_, nullptr,
                             nullptr, nullptr);
  tree_ = GetWindow(control_, GW_CHILD);
  PraxelSet withoutId("SELECT K, OWN, NAME FROM FRENNA_TR ORDER BY K", 2);
  ASSERT_TRUE(withoutId.open());
  EXPECT_EQ(0, Fill(withoutId.get()));
  std::vector<frenna_test::Node> nodes = frenna_test::Nodes(tree_);
  ASSERT_EQ(8u, nodes.size());
  for (const frenna_test::Node& n : nodes) {
    EXPECT_EQ(0, n.depth) << n.text;
    EXPECT_EQ(0u, n.param & 0xFFFF) << n.text;
  }
  EXPECT_EQ("2", Text());
}

TEST_F(TreeControl, CaptionsEndInTheBufferAndOwnersMayDestroyTheControl) {
  PraxelSet regions(frenna_test::kTreeQuery, 4);
  ASSERT_TRUE(regions.open());
  captions.fillWhole = true;
  EXPECT_EQ(0, Fill(regions.get()));
  std::vector<frenna_test::Node> nodes = frenna_test::Nodes(tree_);
  ASSERT_EQ(8u, nodes.size());
  EXPECT_EQ(std::string(127, '\xC6'), nodes[0].text);

  // The fill stops at the request that destroyed the control.
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(tree_, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  IMAGEINFO info = {};
  ASSERT_TRUE(ImageList_GetImageInfo(images, 0, &info));
  EXPECT_EQ(OBJ_BITMAP, GetObjectType(info.hbmImage));
  captions.requests = 0;
  captions.destroyAt = 3;
  EXPECT_EQ(0, Fill(regions.get()));
  EXPECT_FALSE(IsWindow(control_));
  EXPECT_EQ(3, captions.requests);
  EXPECT_EQ(3, regions.Current());
  // The image list went with the control (the tree view never destroys it).
  EXPECT_EQ(0u, GetObjectType(info.hbmImage));
  EXPECT_TRUE(IsWindow(dialog_));
}

TEST_F(TreeControl, TextOfRecordsAboveNine) {
  PraxelSet big("SELECT K, ID, OWN, NAME FROM FRENNA_BIG WHERE K <= 12 ORDER BY K", 12);
  ASSERT_TRUE(big.open());
  EXPECT_EQ(0, Fill(big.get()));
  EXPECT_EQ("N12", frenna_test::Selected(tree_));
  LRESULT length = 0;
  EXPECT_EQ("12", Text(3, &length));
  EXPECT_EQ(2, length);
  EXPECT_EQ("1", Text(2, &length));
  EXPECT_EQ(1, length);
}

}  // namespace
