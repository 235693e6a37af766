// Field conditions in the query text: SetPattern writes a field's
// condition after " WHERE " (or removes it), GetPattern reads it back in
// the form SetPattern takes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "blank_helpers.h"
#include "date_time.h"
#include "query_text.h"
#include "record_set.h"

namespace {

enum : int { kInvalidDate = 13, kWrongType = 116, kNoMemory = 8 };
const char kWhere[] = " WHERE ";
const char kOrderBy[] = "ORDER BY ";
const char kAnd[] = "AND ";
const char kBetween[] = " BETWEEN ";
const char kLike[] = " LIKE ";

// The WHERE clause of a query, as its conditions (each ending in a blank).
struct WhereClause {
  size_t where = std::string::npos;  // the " WHERE "
  size_t end = 0;                    // where the conditions end
  std::vector<std::string> conditions;
};

// A condition runs to the next "AND " (after a " BETWEEN " the first one
// belongs to it), else to "ORDER BY ", else to the end.
size_t FindConditionEnd(const std::string& text, size_t start, size_t limit) {
  size_t from = start;
  size_t between = FindClause(text, kBetween, start);
  size_t next = FindClause(text, kAnd, start);
  if (between != std::string::npos && between < limit && (next == std::string::npos || between < next)) {
    size_t inner = FindClause(text, kAnd, between);
    if (inner != std::string::npos && inner < limit) from = inner + sizeof kAnd - 1;
  }
  next = FindClause(text, kAnd, from);
  return next != std::string::npos && next < limit ? next : limit;
}

WhereClause ReadWhere(const std::string& text) {
  WhereClause clause;
  size_t order = FindLastClause(text, kOrderBy);
  size_t limit = order == std::string::npos ? text.size() : order;
  size_t where = FindLastClause(text, kWhere);
  if (where == std::string::npos || where > limit) return clause;
  clause.where = where;
  size_t start = where + sizeof kWhere - 1;
  for (;;) {
    size_t end = FindConditionEnd(text, start, limit);
    clause.conditions.push_back(text.substr(start, end - start));
    if (end < limit && _strnicmp(text.c_str() + end, kAnd, sizeof kAnd - 1) == 0) {
      start = end + sizeof kAnd - 1;
      continue;
    }
    clause.end = end;
    return clause;
  }
}

// The condition of a field: the name as a whole word at its start.
bool IsConditionOf(const std::string& condition, const std::string& name) {
  if (condition.size() < name.size() || _strnicmp(condition.c_str(), name.c_str(), name.size()) != 0)
    return false;
  char after = condition.size() > name.size() ? condition[name.size()] : '\0';
  return after == '\0' || after == ' ' || after == '=' || after == '<' || after == '>';
}

int FindCondition(const WhereClause& clause, const std::string& name) {
  for (size_t i = 0; i < clause.conditions.size(); ++i)
    if (IsConditionOf(clause.conditions[i], name)) return static_cast<int>(i);
  return -1;
}

std::string WriteWhere(const std::string& text, const WhereClause& clause) {
  std::string rest = text.substr(clause.end);
  if (clause.conditions.empty()) {
    std::string head = text.substr(0, clause.where);
    if (!rest.empty() && rest[0] != ' ') head += ' ';
    return head + rest;
  }
  std::string out = text.substr(0, clause.where) + kWhere;
  for (size_t i = 0; i < clause.conditions.size(); ++i) out += (i ? kAnd : "") + clause.conditions[i];
  return out + rest;
}

// A number as typed: a sign, digits and at most one '.'.
bool IsNumber(const std::string& value) {
  size_t i = value[0] == '-' || value[0] == '+' ? 1 : 0;
  bool digit = false, point = false;
  for (; i < value.size(); ++i) {
    if (value[i] >= '0' && value[i] <= '9') digit = true;
    else if (value[i] == '.' && !point) point = true;
    else return false;
  }
  return digit;
}

std::string DateLiteral(int32_t date) {
  char text[32];
  std::snprintf(text, sizeof text, "{d '%ld-%02ld-%02ld'}", static_cast<long>(DateYear(date)),
                static_cast<long>(DateMonth(date)), static_cast<long>(DateDay(date)));
  return text;
}

// Year, month and day of a "{d 'YYYY-MM-DD'}" escape, in that order,
// separated by any non-digit; 19000000 for a value that is none.
int32_t ParseDateLiteral(const std::string& value) {
  if (value.empty() || value[0] != '{') return 19000000;
  long parts[3] = {0, 0, 0};
  int part = -1;
  bool inDigits = false;
  for (char c : value) {
    if (c >= '0' && c <= '9') {
      if (!inDigits && ++part > 2) break;
      inDigits = true;
      parts[part] = parts[part] * 10 + (c - '0');
    } else {
      inDigits = false;
    }
  }
  if (part < 2) return 19000000;
  return static_cast<int32_t>(parts[0] * 10000 + parts[1] * 100 + parts[2]);
}

// The four forms d, =d, d= and d1=d2 of a pattern without blanks.
struct Range {
  std::string first, second;
  enum { kEqual, kAtMost, kAtLeast, kBetween } form;
};

Range ReadRange(const std::string& pattern) {
  size_t equal = pattern.find('=');
  if (equal == std::string::npos) return {pattern, "", Range::kEqual};
  if (equal == 0) return {pattern.substr(1), "", Range::kAtMost};
  if (equal == pattern.size() - 1) return {pattern.substr(0, equal), "", Range::kAtLeast};
  return {pattern.substr(0, equal), pattern.substr(equal + 1), Range::kBetween};
}

std::string RangeCondition(const Range& r) {
  switch (r.form) {
    case Range::kEqual: return "=" + r.first;
    case Range::kAtMost: return "<=" + r.first;
    case Range::kAtLeast: return ">=" + r.first;
    default: return kBetween + r.first + " " + kAnd + r.second;
  }
}

}  // namespace

int RecordSet::SetPattern(const char* field, const char* pattern) {
  if (!field || !queryBlock_) return 0;
  std::string name = field;
  std::string text = QueryText();
  WhereClause clause = ReadWhere(text);
  if (!pattern || !*pattern) {
    int at = clause.where == std::string::npos ? -1 : FindCondition(clause, name);
    if (at < 0) return 0;
    clause.conditions.erase(clause.conditions.begin() + at);
    if (!ReplaceQuery(WriteWhere(text, clause))) return kNoMemory;
    options_ |= kRequery;
    return 0;
  }
  CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));  // a copy
  std::string value = pattern;
  char letter;
  if (long column = FieldIndex(name.c_str())) {
    letter = ColumnAt(column)->letter;
    if (!std::strchr("CNFDTL", letter)) return kWrongType;
  } else if (value.find('%') != std::string::npos) {
    letter = 'C';
  } else if (value[0] == '=' || (value[0] >= '0' && value[0] <= '9') ||
             (value[0] == '-' && value.size() > 1 && value[1] >= '0' && value[1] <= '9')) {
    letter = 'N';
  } else {
    letter = 'C';
  }
  std::string condition = name;
  if (value[0] == '{') {
    size_t close = value.find('}');
    condition += value.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  } else if (letter == 'C') {
    std::string quoted;
    for (char c : value) quoted += c == '\'' ? "''" : std::string(1, c);
    condition += std::string(kLike) + "'" + quoted + "'";
  } else {
    value.resize(RemoveBlanks(&value[0], static_cast<unsigned>(value.size())));
    Range range = ReadRange(value);
    if (letter == 'D' || letter == 'T') {
      for (std::string* part : {&range.first, &range.second}) {
        if (part->empty() && part == &range.second && range.form != Range::kBetween) continue;
        int32_t date = ParseDate(part->c_str());
        if (!date || !IsValidDate(date)) return kInvalidDate;
        *part = DateLiteral(date);
      }
    } else {
      for (std::string* part : {&range.first, &range.second}) {
        if (part == &range.second && range.form != Range::kBetween) continue;
        if (part->empty() || !IsNumber(*part)) return kWrongType;
      }
    }
    condition += RangeCondition(range);
  }
  condition += ' ';
  int at = clause.where == std::string::npos ? -1 : FindCondition(clause, name);
  std::string changed;
  if (at >= 0) {
    if (clause.conditions[at] == condition) return 0;  // nothing to requery
    clause.conditions[at] = condition;
    changed = WriteWhere(text, clause);
  } else if (clause.where != std::string::npos) {
    clause.conditions.insert(clause.conditions.begin(), condition);  // new ones first
    changed = WriteWhere(text, clause);
  } else {
    size_t order = FindLastClause(text, kOrderBy);
    if (order == std::string::npos) {
      changed = text + kWhere + condition;
    } else {
      bool blank = order > 0 && text[order - 1] == ' ';
      changed = text.substr(0, blank ? order - 1 : order) + kWhere + condition + text.substr(order);
    }
  }
  if (!ReplaceQuery(changed)) return kNoMemory;
  options_ |= kRequery;
  return 0;
}

int RecordSet::GetPattern(const char* field, std::string* pattern) {
  pattern->clear();
  if (!field) return 0;
  std::string text = QueryText();
  WhereClause clause = ReadWhere(text);
  if (clause.where == std::string::npos) return 0;
  std::string name = field;
  int at = FindCondition(clause, name);
  if (at < 0) return 0;
  CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
  char letter = 'C';
  if (long column = FieldIndex(name.c_str())) {
    letter = ColumnAt(column)->letter;
    if (!std::strchr("CNFDTL", letter)) return kWrongType;
    if (letter == 'T') letter = 'D';
  }
  std::string condition = clause.conditions[at].substr(name.size());
  while (!condition.empty() && condition.back() == ' ') condition.pop_back();
  // One value: a date escape read to its '}', any other to the next blank;
  // dates come back in the short-date format.
  auto value = [&](const std::string& from) {
    std::string v;
    if (!from.empty() && from[0] == '{') {
      size_t close = from.find('}');
      v = from.substr(0, close == std::string::npos ? std::string::npos : close + 1);
    } else {
      v = from.substr(0, from.find(' '));
    }
    if (letter != 'D') return v;
    char date[kDateTextSize] = "";
    DateToText(ParseDateLiteral(v), date, nullptr);
    return std::string(date);
  };
  if (_strnicmp(condition.c_str(), kBetween, sizeof kBetween - 1) == 0) {
    std::string rest = condition.substr(sizeof kBetween - 1);
    size_t andAt = FindClause(rest, (std::string(" ") + kAnd).c_str());
    std::string second = andAt == std::string::npos ? "" : rest.substr(andAt + sizeof kAnd);
    *pattern = value(rest) + "=" + value(second);
  } else if (_strnicmp(condition.c_str(), kLike, sizeof kLike - 1) == 0) {
    std::string quoted = condition.substr(sizeof kLike - 1);
    std::string out;
    for (size_t i = 1; i + 1 < quoted.size(); ++i) {
      out += quoted[i];
      if (quoted[i] == '\'' && quoted[i + 1] == '\'') ++i;
    }
    *pattern = out;
  } else if (condition.compare(0, 2, ">=") == 0) {
    *pattern = value(condition.substr(2)) + "=";
  } else if (condition.compare(0, 2, "<=") == 0) {
    *pattern = "=" + value(condition.substr(2));
  } else if (condition.compare(0, 1, "=") == 0) {
    std::string v = value(condition.substr(1));
    if (v.size() >= 2 && v.front() == '\'' && v.back() == '\'') v = v.substr(1, v.size() - 2);
    *pattern = v;
  } else {
    *pattern = condition;
  }
  return 0;
}
