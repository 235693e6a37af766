#include "tree_search.h"

#include <cstring>

#include "found_list.h"
#include "keyword_list.h"

namespace {

// Captions and patterns are compared over this many characters.
const unsigned kMatched = 64;

// A pattern as compared: a copy (the matcher upper-cases in place), cut.
struct Pattern {
  explicit Pattern(const char* text) {
    if (text) std::strncpy(chars, text, kMatched);
    length = static_cast<unsigned>(std::strlen(chars));
  }
  char chars[kMatched + 1] = {};
  unsigned length = 0;
};

bool CaptionMatches(const TreeNode* node, Pattern& pattern) {
  char text[kMatched + 1] = {};
  std::strncpy(text, node->caption.c_str(), kMatched);
  return MatchWildcard(text, static_cast<unsigned>(std::strlen(text)), pattern.chars, pattern.length) != 0;
}

}  // namespace

HTREEITEM FindFirst(const RecordTree& tree, const char* text) {
  Pattern pattern(text);
  if (pattern.length == 0) return nullptr;
  HTREEITEM found = nullptr;
  tree.nodes.WalkDepthFirst([&](TreeNode* node) {
    if (CaptionMatches(node, pattern)) found = node->item;
    return !found;
  });
  return found;
}

long FindEvery(RecordTree& tree, const char* text) {
  tree.foundCount = 0;
  Pattern pattern(text);
  if (pattern.length == 0) return 0;
  tree.nodes.WalkDepthFirst([&](TreeNode* node) {
    return !CaptionMatches(node, pattern) || AddFound(tree, node->item);
  });
  return tree.foundCount;
}

long RecordOfIds(const RecordTree& tree, const long* values) {
  if (tree.keyCount == 0) return 0;
  uint16_t ids[kMaxKeys] = {};
  for (int i = 0; i < tree.keyCount; ++i) ids[i] = static_cast<uint16_t>(values[i]);
  TreeNode* node = tree.nodes.FirstWithIds(ids);
  return node ? static_cast<long>(node->data[0]) : 0;
}
