#include "tree_test_support.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "odbc_session.h"

namespace frenna_test {

const char kTreeQuery[] = "SELECT K, ID, OWN, NAME FROM FRENNA_TR ORDER BY K";
const std::vector<std::string> kRegions = {
    "Север 0x0001000A", "  Архангельск 0x00020014", "    Холмогоры 0x00050032",
    "Юг 0x0003001E",    "  Краснодар 0x00040028",   "Сирота 0x0006003C",
    "Раньше 0x00070046", "Запад 0x00080050"};

const char kN25Query[] = "SELECT ID, NAME FROM N25 ORDER BY ID";

void MakeN25() {
  OdbcSession s("KTEST");
  s.Run({"CREATE TABLE IF NOT EXISTS N25 (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))",
         "INSERT OR IGNORE INTO N25 WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N "
         "WHERE I < 25) SELECT I, 'R' || substr('0' || I, -2) FROM N"});
}

void MakeTreeTables() {
  static bool made = false;
  if (made) return;
  OdbcSession s("KTEST");
  s.Try("DROP TABLE FRENNA_TR");
  s.Run({"CREATE TABLE FRENNA_TR (K INTEGER PRIMARY KEY, ID INTEGER, OWN INTEGER, NAME VARCHAR(20))",
         "INSERT INTO FRENNA_TR VALUES (1, 10, 0, 'Север'), (2, 20, 10, 'Архангельск'), "
         "(3, 30, 0, 'Юг'), (4, 40, 30, 'Краснодар'), (5, 50, 20, 'Холмогоры'), "
         "(6, 60, 99, 'Сирота'), (7, 70, 80, 'Раньше'), (8, 80, 0, 'Запад')"});
  s.Try("DROP TABLE FRENNA_BIG");
  s.Run({"CREATE TABLE FRENNA_BIG (K INTEGER PRIMARY KEY, ID INTEGER, OWN INTEGER, NAME VARCHAR(20))",
         "INSERT INTO FRENNA_BIG WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N "
         "WHERE I < 65536) SELECT I, I, 0, 'N' || I FROM N"});
  made = true;
}

PraxelSet::PraxelSet(const char* query, long record) {
  base_ = praxel_("PRAXEL_BaseOpen", {0, Word("DSN=KTEST;"), 2});
  if (!base_) return;
  set_ = praxel_("PRAXEL_New", {base_, Word("FRENNA"), 10});
  if (!set_) return;
  open_ = praxel_("PRAXEL_Open", {set_, Word(query), Word("STATIC")}) != 0;
  if (open_ && record) praxel_("PRAXEL_RecGet", {set_, static_cast<uint32_t>(record)});
}

PraxelSet::~PraxelSet() {
  if (set_) praxel_("PRAXEL_Close", {set_});
  if (base_) praxel_("PRAXEL_BaseClose", {base_});
}

long PraxelSet::Current() const {
  char text[16] = "";
  get()->GetFieldText(0, text, sizeof text);
  return std::atol(text);
}

bool PraxelSet::Option(const char* field, const char* option) {
  return praxel_("PRAXEL_FldOption", {set_, Word(field), Word(option)}) != 0;
}

namespace {

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
    out.push_back({text, static_cast<uint32_t>(data.lParam), depth, data.iImage, data.iSelectedImage,
                   data.cChildren});
    Collect(tree, Next(tree, TVGN_CHILD, item), depth + 1, out);
  }
}

}  // namespace

std::vector<Node> Nodes(HWND tree) {
  std::vector<Node> out;
  Collect(tree, Next(tree, TVGN_ROOT, nullptr), 0, out);
  return out;
}

std::vector<std::string> Outline(HWND tree) {
  std::vector<std::string> lines;
  for (const Node& n : Nodes(tree)) {
    char param[16];
    std::snprintf(param, sizeof param, " 0x%08X", static_cast<unsigned>(n.param));
    lines.push_back(std::string(2 * n.depth, ' ') + n.text + param);
  }
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

}  // namespace frenna_test
