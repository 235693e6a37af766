// Damaged page files by the thousand: files written by every writer, with
// random damage and with lengths and types set to boundary values at each
// record's start, read from a Guarded copy so that any read past the last
// byte faults. The walker must end or reject with 11, and every record it
// gives must lie inside the bytes with its text ending inside the record.
#include <gtest/gtest.h>

#include <string>

#include "page_file_mutants.h"

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

TEST(PageFileMutation, GoodFileWalksWhole) {
  const PageBytes good = EveryWriterFile();
  Guarded guard;
  EXPECT_EQ(WalkChecked(guard, good), 3 * (5 + 3 + 12 + 1) + 3);
  EXPECT_EQ(WalkTypes(good).substr(0, 22), "#FBFTHHHLLLLLLLLLLLLG#");
}

TEST(PageFileMutation, BoundaryLengthsAndTypesAtEveryRecord) {
  EXPECT_GT(WalkBoundaryCases(EveryWriterFile()), 500);
}

TEST(PageFileMutation, RandomDamage) {
  const int cases = 20000;
  EXPECT_GT(WalkMutants(EveryWriterFile(), 20261209, cases), cases / 10) << "damage goes unnoticed too often";
}

}  // namespace
