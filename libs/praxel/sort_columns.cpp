// The order clause of the query text and the sort columns it names.
#include <cstring>

#include "query_text.h"
#include "record_set.h"

namespace {
const char kOrderBy[] = "ORDER BY ";
}  // namespace

int RecordSet::ParseSortColumns(const char* query) {
  sortCount_ = 0;
  std::memset(sortColumns_, 0, sizeof sortColumns_);
  for (uint16_t i = 0; i < columnCount_; ++i) columns_[i].flags &= ~kColumnSortKey;
  const char* order = query ? FindLastOf(query, kOrderBy) : nullptr;
  if (!order) return 0;
  const char* name = order + sizeof kOrderBy - 1;
  while (sortCount_ < kMaxSortColumns) {
    long column = FieldIndex(name);
    if (!column) break;
    sortColumns_[sortCount_++] = static_cast<uint16_t>(column);
    columns_[column - 1].flags |= kColumnSortKey;
    const char* comma = std::strchr(name, ',');
    if (!comma) break;
    name = comma + 1;
    while (*name == ' ') ++name;
  }
  return sortCount_;
}

bool RecordSet::ReplaceQuery(const std::string& text) {
  if (!queryBlock_) return false;
  if (GlobalSize(queryBlock_) < text.size() + 1) {
    GlobalUnlock(queryBlock_);
    HGLOBAL grown = GlobalReAlloc(queryBlock_, text.size() + 1, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (grown) queryBlock_ = grown;
    queryText_ = static_cast<char*>(GlobalLock(queryBlock_));
    if (!grown) return false;
  }
  std::memcpy(queryText_, text.c_str(), text.size() + 1);
  return true;
}

long RecordSet::GetSort(char* buffer, long size) {
  if (buffer && size > 0) {
    std::memset(buffer, 0, static_cast<size_t>(size));
    if (const char* order = FindLastOf(QueryText(), kOrderBy)) {
      order += sizeof kOrderBy - 1;
      size_t length = strnlen(order, static_cast<size_t>(size - 1));
      std::memcpy(buffer, order, length);
    }
  }
  return sortColumns_[0];
}

BOOL RecordSet::SetSort(const char* order) {
  if (!order || !queryBlock_) return FALSE;
  std::string text = QueryText();
  size_t at = FindLastClause(text, kOrderBy);
  if (at == std::string::npos) text += std::string(" ") + kOrderBy + order;
  else text = text.substr(0, at) + kOrderBy + order;
  if (!ReplaceQuery(text)) return FALSE;
  ParseSortColumns(QueryText());
  options_ |= kRequery;
  return TRUE;
}

BOOL RecordSet::SetSortColumn(unsigned long column) {
  const Column* c = ColumnAt(column);
  return c ? SetSort(c->name) : FALSE;
}
