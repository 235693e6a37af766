// Damaged page files by the thousand: files written by every writer, with
// random damage and with lengths and types set to boundary values at each
// record's start, read from a Guarded copy so that any read past the last
// byte faults. The walker must end or reject with 11, and every record it
// gives must lie inside the bytes with its text ending inside the record.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "mutator.h"
#include "page_file_support.h"

namespace {

// A file of three pages with every record type, long and empty texts.
PageBytes EveryWriterFile() {
  ScratchPageFile file;
  HANDLE h = file.handle();
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, "Arial");
  GruskFont print_font = {10, 0, "Courier New"};
  const std::string long_text(300, 'w');
  for (int page = 1; page <= 3; ++page) {
    WritePageHeader(h, page, dc, font);
    WritePagePrintFont(h, &print_font);
    RECT box = {10, 10 * page, 500, 60};
    WritePageBox(h, &box, static_cast<uint8_t>(page == 1 ? 0 : 0x55));
    WritePageFont(h, "Times New Roman", 14, kPageFontBold);
    WritePageText(h, 'C', page == 2 ? long_text.c_str() : "Заголовок\nвторая строка");
    for (int column = 0; column < 3; ++column) {
      RECT head = {column * 100, 70, column * 100 + 98, 90};
      WritePageHead(h, column, &head, column, "ABC");
    }
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 3; ++column) {
        RECT cell = {0, 90 + row * 20, 0, 110 + row * 20};
        const std::string text = std::to_string(row * 1000 + column);
        WritePageRow(h, 'L', column, &cell, DT_RIGHT | DT_WORDBREAK, static_cast<int>(text.size()), text.c_str());
      }
    }
    if (page == 3) {
      RECT footer = {0, 200, 0, 220};
      for (int column = 0; column < 3; ++column) WritePageRow(h, 'R', column, &footer, 0, column, "Итог");
    }
    WritePageGrid(h);
  }
  WritePageEnd(h);
  DeleteObject(font);
  DeleteDC(dc);
  return file.Contents();
}

// Walks a Guarded copy and checks what the walker gave; returns the
// number of records (or -1 on a wrong result, reported through gtest).
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
  if (walker.error() && walker.error_offset() >= bytes.size() + 1) {
    ADD_FAILURE() << "error offset " << walker.error_offset() << " past " << bytes.size();
    return -1;
  }
  return records;
}

std::vector<size_t> RecordStarts(const PageBytes& good) {
  std::vector<size_t> starts;
  PageRecordWalker walker(good.data(), good.size());
  PageRecordView r;
  while (walker.Next(&r)) starts.push_back(r.offset);
  starts.push_back(walker.offset());  // the 'E'
  return starts;
}

TEST(PageFileMutation, GoodFileWalksWhole) {
  const PageBytes good = EveryWriterFile();
  Guarded guard;
  EXPECT_EQ(WalkChecked(guard, good), 3 * (5 + 3 + 12 + 1) + 3);
  EXPECT_EQ(WalkTypes(good).substr(0, 22), "#FBFTHHHLLLLLLLLLLLLG#");
}

TEST(PageFileMutation, BoundaryLengthsAndTypesAtEveryRecord) {
  const PageBytes good = EveryWriterFile();
  Guarded guard;
  int rejected = 0;
  int cases = 0;
  for (size_t at : RecordStarts(good)) {
    for (unsigned length : {0u, 1u, 2u, 3u, 0xFFFFu}) {
      PageBytes b = good;
      b[at] = static_cast<unsigned char>(length);
      b[at + 1] = static_cast<unsigned char>(length >> 8);
      ASSERT_GE(WalkChecked(guard, b), 0) << "length " << length << " at " << at;
      rejected += CheckPageFile(b.data(), b.size()) != 0;
      ++cases;
    }
    for (unsigned char type : {0x00, 0x23, 0x45, 0xFF}) {
      PageBytes b = good;
      b[at + 2] = type;
      ASSERT_GE(WalkChecked(guard, b), 0) << "type " << int(type) << " at " << at;
      ++cases;
    }
    for (size_t cut = at; cut < at + 4 && cut <= good.size(); ++cut) {
      ASSERT_GE(WalkChecked(guard, PageBytes(good.begin(), good.begin() + cut)), 0) << "cut at " << cut;
      ++cases;
    }
  }
  EXPECT_GT(cases, 500);
  // Lengths 0-2 and 0xFFFF are always wrong; 3 is short for all but 'E'.
  EXPECT_GE(rejected, static_cast<int>(RecordStarts(good).size()) * 4);
}

TEST(PageFileMutation, RandomDamageWithinATimeBudget) {
  const PageBytes good = EveryWriterFile();
  Guarded guard;
  Mutator mutator(20261209);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int cases = 0;
  int rejected = 0;
  for (; cases < 20000 && std::chrono::steady_clock::now() < deadline; ++cases) {
    PageBytes b = mutator.Mutate(good);
    if (mutator.Next() % 3 == 0) b = mutator.Mutate(b);  // some twice
    ASSERT_GE(WalkChecked(guard, b), 0) << "case " << cases;
    rejected += CheckPageFile(b.data(), b.size()) != 0;
  }
  EXPECT_GE(cases, 5000);
  EXPECT_GT(rejected, cases / 10) << "damage goes unnoticed too often";
}

}  // namespace
