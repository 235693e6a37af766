// Seeking a sorted record set by a pattern, and finding the detail record
// that matches a master's current record.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base_list.h"
#include "collation.h"
#include "record_set.h"

namespace {
const size_t kSeekBuffer = 40;
}  // namespace

int RecordSet::CompareField(unsigned long column, const char* pattern, unsigned long length) {
  char text[kSeekBuffer] = {};
  GetFieldText(column, text, sizeof text);
  const Column* c = ColumnAt(column);
  if (!c) return 0;
  if (c->letter == 'C') return CompareByDictionaryN(FindBase(connection_), text, pattern, length);
  if (c->letter == 'N') {
    long a = std::atol(text), b = std::atol(pattern);
    return a > b ? 1 : a < b ? -1 : 0;
  }
  return std::memcmp(text, pattern, length);
}

long RecordSet::Seek(const char* pattern, unsigned long length) {
  if (!sortColumns_[0] || length == 0 || !pattern) return 0;
  char wanted[kSeekBuffer] = {};
  if (length > kSeekBuffer - 1) length = kSeekBuffer - 1;
  std::memcpy(wanted, pattern, strnlen(pattern, length));
  CharUpperA(wanted);
  long low = 1, high = recordCount_, found = 0;
  while (low <= high) {
    long mid = (low + high) / 2;
    if (!GoToRecord(mid)) return found;
    int r = CompareField(sortColumns_[0], wanted, length);
    if (r > 0) {
      high = mid - 1;
    } else if (r < 0) {
      low = mid + 1;
    } else {
      found = mid;
      if (mid == low) return mid;
      high = mid;
    }
  }
  return found;
}

long RecordSet::LinkDetail(const uint16_t ownKeys[kMaxSortColumns], RecordSet* other,
                           const uint16_t otherKeys[kMaxSortColumns], unsigned long otherText) {
  if (!other || !ownKeys[0] || !sortColumns_[0] || recordCount_ < 1) return 0;
  const Column* sorted = ColumnAt(sortColumns_[0]);
  size_t textSize = sorted && sorted->size > 16 ? static_cast<size_t>(sorted->size) : 16;
  // The other side's keys of its current record, each as wide as the wider
  // of the two columns.
  struct Key {
    uint16_t own;
    uint32_t size;
    std::vector<char> value;
  };
  std::vector<Key> keys;
  for (int k = 0; k < kMaxSortColumns && otherKeys[k] && ownKeys[k]; ++k) {
    FieldRequest mine = {'S', 0, 0, nullptr}, theirs = {'S', 0, 0, nullptr};
    FieldBuffer(ownKeys[k], &mine);
    other->FieldBuffer(otherKeys[k], &theirs);
    Key key{ownKeys[k], mine.size > theirs.size ? mine.size : theirs.size, {}};
    key.value.assign(key.size + 1, '\0');
    FieldRequest read = {'R', 0, key.size, key.value.data()};
    if (!other->FieldBuffer(otherKeys[k], &read)) return 0;
    keys.push_back(std::move(key));
  }
  std::vector<char> wanted(textSize + 1, '\0');
  other->GetFieldText(otherText, wanted.data(), static_cast<long>(textSize));
  std::vector<char> text(textSize + 1, '\0');
  const Base* base = FindBase(connection_);
  auto ownText = [&] {
    std::fill(text.begin(), text.end(), '\0');
    GetFieldText(sortColumns_[0], text.data(), static_cast<long>(textSize));
  };
  auto keysMatch = [&] {
    for (Key& key : keys) {
      std::vector<char> value(key.size + 1, '\0');
      FieldRequest read = {'R', 0, key.size, value.data()};
      if (!FieldBuffer(key.own, &read) || std::memcmp(value.data(), key.value.data(), key.size) != 0)
        return false;
    }
    return true;
  };
  long low = 1, high = recordCount_, mid = 0;
  bool equal = false;
  while (low <= high) {
    mid = (low + high) / 2;
    if (!GoToRecord(mid)) return 0;
    ownText();
    int r = CompareByDictionary(base, text.data(), wanted.data());
    if (r > 0) high = mid - 1;
    else if (r < 0) low = mid + 1;
    else {
      equal = true;
      break;
    }
  }
  if (equal) {
    // Walk from mid upwards, then (once) from mid downwards, over the
    // records whose text is the same.
    long position = mid, step = 1;
    bool turned = false;
    for (;;) {
      bool turn = false;
      if (position < 1 || position > recordCount_) {
        turn = true;
      } else {
        if (!GoToRecord(position)) return 0;
        ownText();
        if (std::strcmp(text.data(), wanted.data()) == 0) {
          if (keysMatch()) return position;
          if (step < 0 && position <= low) return 0;
          if (step > 0 && position >= high) turn = true;
        } else {
          turn = true;
        }
      }
      if (turn) {
        if (step < 0 || turned) return 0;
        turned = true;
        step = -1;
        position = mid - 1;
        continue;
      }
      position += step;
    }
  }
  // No equal text: every record, from the last probe down, then up.
  long last = mid ? mid : 1;
  for (long n = last; n >= 1; --n)
    if (GoToRecord(n) && keysMatch()) return n;
  for (long n = last + 1; n <= recordCount_; ++n)
    if (GoToRecord(n) && keysMatch()) return n;
  return 0;
}
