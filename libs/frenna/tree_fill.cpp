#include "tree_fill.h"

#include <cstdio>
#include <cstdlib>

#include "blank_helpers.h"

namespace {

const long kMaxRecords = 0xFFFF;
const int kFieldText = 128;
const int kCaptionText = 128;

// The number in a field's text: the buffer is cleared before each read, so
// a missing field reads 0, and blanks (digit groups) are removed first.
long NumberOf(RecordSetObject& records, const char* name) {
  char text[kFieldText] = {};
  if (name)
    records.GetFieldTextByName(name, text, sizeof text);
  else
    records.GetFieldText(0, text, sizeof text);  // the current record number
  text[sizeof text - 1] = '\0';
  RemoveBlanks(text, sizeof text);
  return std::atol(text);
}

// Where a record's node goes: the fill's first node first at the top level,
// marked as having children; a node with OWN 0 at the top level, marked, in
// caption order when sorting, else last; any other under the first node
// whose ID is its OWN, appended, or last at the top level when none is.
struct Placement {
  TreeNodes::Node* parent;
  HTREEITEM after;
  bool marked;
};

Placement Place(const TreeNodes& nodes, bool first, uint16_t own, bool sorted) {
  if (first) return {nullptr, TVI_FIRST, true};
  if (own == 0) return {nullptr, sorted ? TVI_SORT : TVI_LAST, true};
  return {nodes.FirstWithId(own), TVI_LAST, false};
}

HTREEITEM Insert(const TreeControlState& state, const Placement& place, char* caption,
                 uint32_t param) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = place.parent ? place.parent->item : TVI_ROOT;
  insert.hInsertAfter = place.after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  if (place.marked) insert.item.mask |= TVIF_CHILDREN;
  insert.item.pszText = caption;
  insert.item.iImage = state.image[1];
  insert.item.iSelectedImage = state.image[2];
  insert.item.cChildren = place.marked ? 1 : 0;
  insert.item.lParam = static_cast<LPARAM>(param);
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(state.tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The inserted node in the fill's own picture of the tree; a sorted one
// after the node the tree view put before it.
void Remember(TreeNodes& nodes, HWND tree, const Placement& place, HTREEITEM item, uint32_t param) {
  if (place.parent) {
    nodes.AddChild(place.parent, item, param);
  } else if (place.after == TVI_FIRST) {
    nodes.AddTopFirst(item, param);
  } else if (place.after == TVI_SORT) {
    HTREEITEM previous = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PREVIOUS, reinterpret_cast<LPARAM>(item)));
    nodes.AddTopAfter(previous, item, param);
  } else {
    nodes.AddTopLast(item, param);
  }
}

}  // namespace

bool ReadTreeSettings(const char* text, TreeSettings& settings) {
  if (!text) return false;
  int window = 0, command = 0, sorted = 0;
  if (std::sscanf(text, "%d,%d,%d", &window, &command, &sorted) < 2) return false;
  settings.captionWindow = reinterpret_cast<HWND>(static_cast<intptr_t>(window));
  settings.captionCommand = static_cast<WPARAM>(command);
  settings.sorted = sorted != 0;
  return true;
}

bool FillTree(TreeControlState& state, RecordSetObject& records, const TreeSettings& settings,
              TreeNodes& nodes, long& kept) {
  long count = records.RecordCount();
  if (count > kMaxRecords) return false;
  kept = NumberOf(records, nullptr);
  long inserted = 0;
  for (long i = 1; i <= count; ++i) {
    // A record that cannot be reached would leave the last one's fields.
    if (!records.GoToRecord(i) || records.IsDeleted()) continue;
    uint16_t own = static_cast<uint16_t>(NumberOf(records, "OWN"));
    uint16_t id = static_cast<uint16_t>(NumberOf(records, "ID"));
    char caption[kCaptionText] = {};
    SendMessageA(settings.captionWindow, WM_COMMAND, settings.captionCommand,
                 reinterpret_cast<LPARAM>(caption));
    if (state.destroyed) return false;
    caption[sizeof caption - 1] = '\0';

    uint32_t param = static_cast<uint32_t>(i) << 16 | id;
    Placement place = Place(nodes, inserted == 0, own, settings.sorted);
    HTREEITEM item = Insert(state, place, caption, param);
    if (!item) continue;
    ++inserted;
    Remember(nodes, state.tree, place, item, param);
  }
  if (kept != 0) records.GoToRecord(kept);
  return true;
}
