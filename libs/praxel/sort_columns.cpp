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
