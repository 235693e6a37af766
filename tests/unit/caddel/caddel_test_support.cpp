#include "caddel_test_support.h"

#include <commctrl.h>

#include <cstring>

#include "odbc_session.h"
#include "window_test_support.h"

namespace caddel_test {

namespace {

bool IsPostgres(const char* dataSource) { return std::strcmp(dataSource, "KPGTEST") == 0; }

HTREEITEM Next(HWND tree, UINT relation, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void Collect(HWND tree, HTREEITEM item, int depth, std::vector<Node>& out) {
  for (; item; item = Next(tree, TVGN_NEXT, item)) {
    char text[256] = "";
    TVITEMA data = {};
    data.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    out.push_back({text, depth, data.iImage, data.iSelectedImage, data.cChildren,
                   reinterpret_cast<const uint32_t*>(data.lParam)});
    Collect(tree, Next(tree, TVGN_CHILD, item), depth + 1, out);
  }
}

}  // namespace

std::string ConnectText(const char* dataSource) {
  // PostgreSQL hands texts over in code page 1251 only when asked.
  return std::string("DSN=") + dataSource + ";";
}

void MakeTree1(const char* dataSource, const char* table) {
  OdbcSession s(dataSource);
  ASSERT_TRUE(s.connected()) << dataSource;
  if (IsPostgres(dataSource)) s.Run({"SET client_encoding TO WIN1251"});
  std::string name = table;
  s.Try(("DROP TABLE " + name).c_str());
  std::string create = "CREATE TABLE " + name + " (ID INTEGER PRIMARY KEY, OWNER INTEGER, NAME VARCHAR(20))";
  std::string insert = "INSERT INTO " + name +
                       " VALUES (10, 0, 'Склад'), (20, 10, 'Полка А'), (30, 0, 'Архив'), "
                       "(40, 20, 'Ящик 1'), (50, 60, 'Потерянный'), (60, 0, 'Бюро'), (70, 10, 'Полка Б')";
  s.Run({create.c_str(), insert.c_str()});
}

PraxelSet::PraxelSet(const char* dataSource, const std::string& query) {
  std::string connect = ConnectText(dataSource);
  base_ = praxel_("PRAXEL_BaseOpen", {0, Word(connect.c_str()), 2});
  if (!base_) return;
  if (IsPostgres(dataSource)) {
    // PostgreSQL hands texts over in code page 1251 only when asked.
    uint32_t setting = praxel_("PRAXEL_New", {base_, Word("ENCODING"), 10});
    praxel_("PRAXEL_Execute", {setting, Word("SET client_encoding TO 'WIN1251'")});
    praxel_("PRAXEL_Close", {setting});
  }
  set_ = praxel_("PRAXEL_New", {base_, Word("TREE"), 10});
  if (!set_) return;
  open_ = praxel_("PRAXEL_Open", {set_, Word(query.c_str()), Word("STATIC")}) != 0;
}

PraxelSet::~PraxelSet() {
  if (set_) praxel_("PRAXEL_Close", {set_});
  if (base_) praxel_("PRAXEL_BaseClose", {base_});
}

Owner::Owner() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA kind = {};
    kind.lpfnWndProc = Proc;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    kind.lpszClassName = "CADDEL_TEST_OWNER";
    registered = RegisterClassA(&kind) != 0;
  }
  window_ = CreateWindowExA(0, "CADDEL_TEST_OWNER", "Дерево записей",
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 360, 300, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Owner::~Owner() {
  if (IsWindow(window_)) DestroyWindow(window_);
}

LRESULT CALLBACK Owner::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Owner* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message != WM_COMMAND || !owner || wParam != kCommand)
    return DefWindowProcA(window, message, wParam, lParam);
  char* buffer = reinterpret_cast<char*>(lParam);
  ++owner->requests;
  for (int i = 0; i < 128; ++i) owner->buffersZeroed = owner->buffersZeroed && buffer[i] == '\0';
  if (owner->onRequest) owner->onRequest(owner->requests);
  if (owner->records) {
    char name[64] = "";
    owner->records->GetFieldTextByName("NAME", name, sizeof name);
    // Blanks a fixed-width column pads with are not part of the name.
    std::string text = name;
    text.erase(text.find_last_not_of(' ') + 1);
    text += owner->suffix;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
  }
  return 0;
}

std::vector<Node> Nodes(HWND tree) {
  std::vector<Node> out;
  Collect(tree, Next(tree, TVGN_ROOT, nullptr), 0, out);
  return out;
}

std::vector<std::string> Outline(HWND tree) {
  std::vector<std::string> lines;
  for (const Node& n : Nodes(tree)) lines.push_back(std::string(2 * n.depth, ' ') + n.text);
  return lines;
}

std::string Selected(HWND tree) {
  HTREEITEM item = Next(tree, TVGN_CARET, nullptr);
  if (!item) return "";
  char text[256] = "";
  TVITEMA data = {};
  data.mask = TVIF_HANDLE | TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}

void Screenshot(const std::string& name) {
  window_test::RunUnixCommand("mkdir -p " KORVEX_SCREENS_UNIX_DIR " && /usr/bin/import -window root " KORVEX_SCREENS_UNIX_DIR "/" + name + ".png");
}

}  // namespace caddel_test
