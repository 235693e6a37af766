// Shared by Frenna's tests: the tables of the tree tests in KTEST, Praxel
// record sets over them through Praxel's exports, and the nodes of a tree
// view read back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "library_call.h"
#include "record_set_object.h"

namespace frenna_test {

// N25(ID, NAME): ID 1..25, NAME 'R01'..'R25', the record-set tests' table,
// made when it is not there (never dropped: other tests read it too).
void MakeN25();
extern const char kN25Query[];  // "SELECT ID, NAME FROM N25 ORDER BY ID"

// FRENNA_TR(K, ID, OWN, NAME): the eight regions, each with its ID and its
// owner's ID (Сирота's owner never comes, Раньше's comes after it).
// FRENNA_BIG: 65,536 records N1, N2, ... with ID = K, OWN 0. Made once per
// process.
void MakeTreeTables();
extern const char kTreeQuery[];  // FRENNA_TR ordered by K
// The outline (below) that a fill of FRENNA_TR makes.
extern const std::vector<std::string> kRegions;

// A record set of Praxel over KTEST, opened with a STATIC cursor.
class PraxelSet {
 public:
  explicit PraxelSet(const char* query, long record = 0);
  ~PraxelSet();
  PraxelSet(const PraxelSet&) = delete;
  PraxelSet& operator=(const PraxelSet&) = delete;

  bool open() const { return open_; }
  uint32_t handle() const { return set_; }
  RecordSetObject* operator->() const { return get(); }
  RecordSetObject* get() const { return reinterpret_cast<RecordSetObject*>(set_); }
  // The current record number (column 0's text).
  long Current() const;
  // PRAXEL_FldOption: "MODE=VIRTUAL;EVENT=3200" and the like.
  bool Option(const char* field, const char* option);

 private:
  LibraryCall praxel_{"PRAXEL"};
  uint32_t base_ = 0;
  uint32_t set_ = 0;
  bool open_ = false;
};

struct Node {
  std::string text;
  uint32_t param;
  int depth;
  int image;
  int selectedImage;
  int children;  // cChildren
};
// The tree view's nodes depth first.
std::vector<Node> Nodes(HWND tree);
// "text 0xPARAM" per node, indented by two blanks per level.
std::vector<std::string> Outline(HWND tree);
// The selected node's text, "" when none.
std::string Selected(HWND tree);

}  // namespace frenna_test
