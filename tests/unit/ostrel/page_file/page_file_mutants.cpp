#include "page_file_mutants.h"

#include <gtest/gtest.h>

#include <vector>

int WalkChecked(Guarded& guard, const PageBytes& bytes) {
  const unsigned char* data = guard.Put(bytes);
  if (!data && !bytes.empty()) {
    ADD_FAILURE() << "mutant larger than the guarded region";
    return -1;
  }
  PageRecordWalker walker(data, bytes.size());
  PageRecordView r;
  int records = 0;
  while (walker.Next(&r)) {
    ++records;
    if (r.offset + r.length > bytes.size() || r.bytes != data + r.offset || r.length < PageRecordFixedLength(r.type)) {
      ADD_FAILURE() << "record outside the bytes at " << r.offset;
      return -1;
    }
    if (r.text && (r.text + r.text_length >= reinterpret_cast<const char*>(r.bytes) + r.length ||
                   r.text[r.text_length] != 0)) {
      ADD_FAILURE() << "text without its NUL inside the record at " << r.offset;
      return -1;
    }
  }
  if (walker.error() != 0 && walker.error() != kPageFileBadFormat) {
    ADD_FAILURE() << "error " << walker.error();
    return -1;
  }
  if (walker.error() && walker.error_offset() > bytes.size()) {
    ADD_FAILURE() << "error offset " << walker.error_offset() << " past " << bytes.size();
    return -1;
  }
  return records;
}

int WalkMutants(const PageBytes& good, uint32_t seed, int count) {
  Guarded guard(good.size() + 4096);
  Mutator mutator(seed);
  int rejected = 0;
  for (int i = 0; i < count; ++i) {
    PageBytes b = mutator.Mutate(good);
    if (mutator.Next() % 3 == 0) b = mutator.Mutate(b);
    if (WalkChecked(guard, b) < 0) {
      ADD_FAILURE() << "mutant " << i << " of seed " << seed;
      return rejected;
    }
    rejected += CheckPageFile(b.data(), b.size()) != 0;
  }
  return rejected;
}

namespace {

std::vector<size_t> RecordStarts(const PageBytes& good) {
  std::vector<size_t> starts;
  PageRecordWalker walker(good.data(), good.size());
  PageRecordView r;
  while (walker.Next(&r)) starts.push_back(r.offset);
  if (walker.offset() + 3 <= good.size()) starts.push_back(walker.offset());  // the 'E'
  return starts;
}

}  // namespace

int WalkBoundaryCases(const PageBytes& good) {
  Guarded guard(good.size() + 4096);
  int cases = 0;
  for (size_t at : RecordStarts(good)) {
    for (unsigned length : {0u, 1u, 2u, 3u, 0xFFFFu}) {
      PageBytes b = good;
      b[at] = static_cast<unsigned char>(length);
      b[at + 1] = static_cast<unsigned char>(length >> 8);
      if (WalkChecked(guard, b) < 0) ADD_FAILURE() << "length " << length << " at " << at;
      if (length < 3 || length == 0xFFFF) {
        EXPECT_NE(CheckPageFile(b.data(), b.size()), 0) << at;
      }
      ++cases;
    }
    for (unsigned char type : {0x00, 0x23, 0x45, 0xFF}) {
      PageBytes b = good;
      b[at + 2] = type;
      if (WalkChecked(guard, b) < 0) ADD_FAILURE() << "type " << int(type) << " at " << at;
      ++cases;
    }
    for (size_t cut = at; cut < at + 4 && cut <= good.size(); ++cut) {
      if (WalkChecked(guard, PageBytes(good.begin(), good.begin() + cut)) < 0) ADD_FAILURE() << "cut " << cut;
      ++cases;
    }
  }
  return cases;
}
