// The page view's buffer model on file P and on damaged files: reading,
// walking, record rebuild, rows and the form text.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "buffer_records.h"
#include "form_export.h"
#include "page_reading.h"
#include "record_edit.h"
#include "sample_pages.h"

using namespace selvy;
using namespace selvy_test;

namespace {

// A buffer as the view keeps it.
struct Model {
  BYTE* buffer = nullptr;
  int32_t length = 0;
  uint8_t pages = 0;
  ~Model() { FreePageBlock(buffer); }
  bool Read(HANDLE file) { return ReadPageFile(file, PageBufferRef{&buffer, &length, &pages}); }
  bool Load(const Bytes& bytes) { return Read(OpenBytes("selvy_model.bin", bytes)); }
  Bytes Data() const { return Bytes(buffer, buffer + length); }
  std::vector<std::string> Export() const {
    std::string text;
    return ExportFormText(buffer, length, &text) ? Lines(text) : std::vector<std::string>{"<refused>"};
  }
  // The offset of the first record of the type whose text is `text`.
  int32_t Find(char type, const char* text) const {
    for (PageRecord r = RecordAt(buffer, length, 0); !r.End(); r = NextRecord(buffer, length, r)) {
      if (r.type != type) continue;
      RecordText t = TextOf(buffer, r, TextOffsetOf(type));
      if (std::string(t.text, t.length) == text) return r.offset;
    }
    return -1;
  }
};

const std::vector<std::string> kExportOfP = {
    "PAGE 1,2479,3508,25,50", "FONT Mono,10,Bold", "BOX 100,200,300,400 LSBS", "TEXT CENTER {Итого}",
    "HEAD 0,100,500,500,550,Имя", "HEAD 1,500,500,900,550,Город", "LINE 100,550,500,600,Анна",
    "LINE 500,550,900,600,Омск", "LINE 100,600,500,650,Борис", "LINE 500,600,900,650,Тула",
    "GRID 0,0,0,0,0,0", "PAGE 2,2479,3508,25,50", "FONT Mono,10", "BOX 100,100,900,300 LSTSRSBS",
    "TEXT LEFT {Вторая}", "END"};

bool HandleOpen(HANDLE file) {
  DWORD flags = 0;
  return GetHandleInformation(file, &flags) != 0;
}

TEST(PageBufferRead, FileFromItsStartAndTheHandleClosed) {
  Bytes p = SampleP();
  ASSERT_FALSE(p.empty());
  // Handed over positioned at its end, as the form library does.
  HANDLE file = OpenBytes("selvy_p.bin", p);
  SetFilePointer(file, 0, nullptr, FILE_END);
  Model m;
  ASSERT_TRUE(m.Read(file));
  EXPECT_FALSE(HandleOpen(file));
  EXPECT_EQ(p, m.Data());
  EXPECT_EQ(2, m.pages);
  EXPECT_EQ(kExportOfP, m.Export());

  // Not a page file: refused, the old buffer stays, the handle is closed.
  for (const Bytes& bad : {Bytes{}, Bytes{'x', 'y', 'z', 0, 0}, Bytes(p.begin() + 20, p.end()),
                           Bytes(p.begin(), p.begin() + 19)}) {
    HANDLE other = OpenBytes("selvy_bad.bin", bad);
    EXPECT_FALSE(m.Read(other));
    EXPECT_FALSE(HandleOpen(other));
    EXPECT_EQ(p, m.Data());
    EXPECT_EQ(2, m.pages);
  }
  EXPECT_FALSE(m.Read(nullptr));
  EXPECT_FALSE(m.Read(INVALID_HANDLE_VALUE));
  EXPECT_EQ(p, m.Data());
}

TEST(PageBufferRead, TemporaryFilesOfTheFileLibraryAreDeleted) {
  // Without the file library loaded the handle is closed as it is.
  HANDLE plain = OpenBytes("selvy_plain.bin", SampleP());
  Model m;
  ASSERT_TRUE(m.Read(plain));
  EXPECT_FALSE(HandleOpen(plain));

  HMODULE hestel = LoadLibraryA("Hestel.dll");
  ASSERT_TRUE(hestel);
  typedef HANDLE(WINAPI * Create)(const char*);
  Create create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(hestel, "HESTEL_CREATE")));
  ASSERT_TRUE(create);
  std::set<std::string> before = TemporaryFiles();
  HANDLE file = create(nullptr);
  ASSERT_TRUE(file);
  std::set<std::string> made = NewNames(before, TemporaryFiles());
  ASSERT_EQ(1u, made.size());
  ASSERT_TRUE(WriteSampleP(file));
  ASSERT_TRUE(m.Read(file));
  EXPECT_EQ(2, m.pages);
  EXPECT_FALSE(HandleOpen(file));
  EXPECT_TRUE(NewNames(TemporaryFiles(), made).size() == 1) << "the temporary file stayed: " << *made.begin();
  FreeLibrary(hestel);
}

TEST(PageBufferWalk, DamagedRecordsEndTheWalk) {
  Bytes p = SampleP();
  Model m, plain;
  ASSERT_TRUE(plain.Load(p));
  // The 'F' of page 1 cut below its least length: the walk ends there.
  Bytes shortFont = p;
  shortFont[20] = 6;
  ASSERT_TRUE(m.Load(shortFont));
  EXPECT_EQ((std::vector<std::string>{"PAGE 1,2479,3508,25,50", "END"}), m.Export());
  EXPECT_EQ(1, m.pages);
  // A length that runs past the data, and one below 3.
  for (uint16_t length : {uint16_t(0xFFFF), uint16_t(2), uint16_t(0)}) {
    Bytes b = p;
    memcpy(&b[20], &length, 2);
    ASSERT_TRUE(m.Load(b));
    EXPECT_EQ(2u, m.Export().size()) << length;
  }
  // A first '#' shorter than 20 bytes is refused.
  Bytes shortPage = p;
  shortPage[0] = 19;
  EXPECT_FALSE(m.Load(shortPage));
  // Unknown types are passed over by their length; type 0 ends.
  Bytes unknown = p;
  unknown[22] = 'Z';
  ASSERT_TRUE(m.Load(unknown));
  std::vector<std::string> lines = m.Export();
  EXPECT_EQ(kExportOfP.size() - 1, lines.size());
  EXPECT_EQ("BOX 100,200,300,400 LSBS", lines[1]);
  unknown[22] = 0;
  ASSERT_TRUE(m.Load(unknown));
  EXPECT_EQ(2u, m.Export().size());
  // A text without its NUL is read only inside its record.
  Bytes noNul = p;
  int32_t text = plain.Find('T', "Итого");
  ASSERT_GT(text, 0);
  noNul[text] = 4 + 3;  // "Ито" and no NUL
  noNul.resize(text + 7);
  ASSERT_TRUE(m.Load(noNul));
  EXPECT_EQ("TEXT CENTER {Ито}", m.Export()[3]);
  // Page numbers: the highest, and 0 or 255.
  Bytes numbers = p;
  int32_t page2 = FindPage(plain.buffer, plain.length, 2).offset;
  numbers[page2 + 3] = 255;
  ASSERT_TRUE(m.Load(numbers));
  EXPECT_EQ(255, m.pages);
  EXPECT_TRUE(FindPage(m.buffer, m.length, 2).End());
  EXPECT_EQ(page2, FindPage(m.buffer, m.length, 255).offset);
}

TEST(PageBufferWalk, NarrowMetricsCountAsOne) {
  Bytes p = SampleP();
  int32_t zero = 0, negative = -7;
  memcpy(&p[12], &zero, 4);
  memcpy(&p[16], &negative, 4);
  EXPECT_EQ(1, PageCharWidth(p.data()));
  EXPECT_EQ(1, PageLineHeight(p.data()));
}

TEST(PageBufferEdit, RebuiltRecordMovesTheRestAndKeepsItsNeighbours) {
  Model m;
  ASSERT_TRUE(m.Load(SampleP()));
  Bytes before = m.Data();
  int32_t boris = m.Find('L', "Борис");
  ASSERT_GT(boris, 0);
  EXPECT_EQ(Alignment::kLeft, AlignmentOf(m.buffer + boris));
  const char* longer = "Борис Годунов";
  ASSERT_TRUE(RebuildRecord(&m.buffer, &m.length, boris, longer, 13, Alignment::kCenter));
  Bytes after = m.Data();
  ASSERT_EQ(before.size() + 8, after.size());
  const BYTE head[] = {0x1C, 0x00, 'L', 0x00, 0x01, 0x00, 0x58, 0x02, 0x00, 0x00, 0x8A, 0x02, 0x00, 0x00};
  Bytes expected(head, head + sizeof head);
  expected.insert(expected.end(), longer, longer + 14);
  EXPECT_EQ(expected, Bytes(after.begin() + boris, after.begin() + boris + 28));
  EXPECT_EQ(Bytes(before.begin(), before.begin() + boris), Bytes(after.begin(), after.begin() + boris));
  EXPECT_EQ(Bytes(before.begin() + boris + 20, before.end()), Bytes(after.begin() + boris + 28, after.end()));
  EXPECT_EQ(Alignment::kCenter, AlignmentOf(m.buffer + boris));

  // Shorter again, right aligned; a text keeps its record type's layout.
  ASSERT_TRUE(RebuildRecord(&m.buffer, &m.length, boris, "Б", 1, Alignment::kRight));
  EXPECT_EQ(before.size() - 4, static_cast<size_t>(m.length));
  EXPECT_EQ(DT_RIGHT, UInt16At(m.buffer + boris, field::kCellFlags));
  int32_t total = m.Find('T', "Итого");
  ASSERT_TRUE(RebuildRecord(&m.buffer, &m.length, total, "Всего", 5, Alignment::kRight));
  EXPECT_EQ("TEXT RIGHT {Всего}", m.Export()[3]);
  // A head keeps its alignment; a font is no text to edit.
  int32_t name = m.Find('H', "Имя");
  ASSERT_TRUE(RebuildRecord(&m.buffer, &m.length, name, "Фамилия", 7, Alignment::kLeft));
  EXPECT_EQ("HEAD 0,100,500,500,550,Фамилия", m.Export()[4]);
  EXPECT_EQ("LINE 100,600,500,650,Б", m.Export()[8]);
  EXPECT_FALSE(RebuildRecord(&m.buffer, &m.length, 20, "x", 1, Alignment::kLeft));

  // A record stays within 65535 bytes.
  boris = m.Find('L', "Б");
  std::string most(MostTextLength('L'), 'x');
  EXPECT_EQ(65535 - 15, static_cast<int>(most.size()));
  Bytes kept = m.Data();
  EXPECT_FALSE(RebuildRecord(&m.buffer, &m.length, boris, (most + "x").c_str(), static_cast<int>(most.size()) + 1,
                             Alignment::kLeft));
  EXPECT_EQ(kept, m.Data());
  ASSERT_TRUE(RebuildRecord(&m.buffer, &m.length, boris, most.c_str(), static_cast<int>(most.size()),
                            Alignment::kLeft));
  EXPECT_EQ(0xFFFF, UInt16At(m.buffer + boris, 0));
  EXPECT_EQ(16u, m.Export().size());
}

TEST(PageBufferRows, DeleteAndAddMoveTheRestOfThePage) {
  Model m;
  ASSERT_TRUE(m.Load(SampleP()));
  // Delete the "Анна" row (y 575).
  ASSERT_TRUE(DeleteRow(&m.buffer, &m.length, 1, 575));
  std::vector<std::string> lines = m.Export();
  ASSERT_EQ(kExportOfP.size() - 2, lines.size());
  EXPECT_EQ("LINE 100,550,500,600,Борис", lines[6]);
  EXPECT_EQ("LINE 500,550,900,600,Тула", lines[7]);
  EXPECT_EQ("GRID 0,0,0,0,0,0", lines[8]);
  EXPECT_EQ("BOX 100,100,900,300 LSTSRSBS", lines[11]);  // page 2 stays

  // Add below "Тула" (now 550-600): a row 600-650; above: before it.
  ASSERT_TRUE(m.Load(SampleP()));
  ASSERT_TRUE(AddRow(&m.buffer, &m.length, 1, 625, true));
  lines = m.Export();
  ASSERT_EQ(kExportOfP.size() + 2, lines.size());
  EXPECT_EQ("LINE 100,650,500,700,", lines[10]);
  EXPECT_EQ("LINE 500,650,900,700,", lines[11]);
  EXPECT_EQ("GRID 0,0,0,0,0,0", lines[12]);
  ASSERT_TRUE(AddRow(&m.buffer, &m.length, 1, 560, false));
  lines = m.Export();
  EXPECT_EQ("LINE 100,550,500,600,", lines[6]);
  EXPECT_EQ("LINE 500,550,900,600,", lines[7]);
  EXPECT_EQ("LINE 100,600,500,650,Анна", lines[8]);
  EXPECT_EQ("LINE 500,700,900,750,", lines[13]);
  // No row at the heads or below the rows.
  Bytes kept = m.Data();
  EXPECT_FALSE(DeleteRow(&m.buffer, &m.length, 1, 520));
  EXPECT_FALSE(AddRow(&m.buffer, &m.length, 1, 760, true));
  EXPECT_FALSE(DeleteRow(&m.buffer, &m.length, 2, 575));
  EXPECT_EQ(kept, m.Data());
}

TEST(PageBufferRows, DeletingRemovesOnlyTheRowsCells) {
  Model m;
  ASSERT_TRUE(m.Load(SampleP()));
  // Both rows go; the heads and the grid stay.
  ASSERT_TRUE(DeleteRow(&m.buffer, &m.length, 1, 575));
  ASSERT_TRUE(DeleteRow(&m.buffer, &m.length, 1, 575));
  std::vector<std::string> lines = m.Export();
  ASSERT_EQ(kExportOfP.size() - 4, lines.size());
  EXPECT_EQ("HEAD 1,500,500,900,550,Город", lines[5]);
  EXPECT_EQ("GRID 0,0,0,0,0,0", lines[6]);
  EXPECT_FALSE(DeleteRow(&m.buffer, &m.length, 1, 575));

  // A row with fewer cells than heads: the 'G' after it is kept.
  Bytes p = SampleP();
  Model plain;
  ASSERT_TRUE(plain.Load(p));
  int32_t tula = plain.Find('L', "Тула");
  Bytes cut(p.begin(), p.begin() + tula);
  Bytes rest(p.begin() + tula + 19, p.end());
  cut.insert(cut.end(), rest.begin(), rest.end());
  ASSERT_TRUE(m.Load(cut));
  ASSERT_TRUE(DeleteRow(&m.buffer, &m.length, 1, 625));
  lines = m.Export();
  EXPECT_EQ("LINE 500,550,900,600,Омск", lines[7]);
  EXPECT_EQ("GRID 0,0,0,0,0,0", lines[8]);
  EXPECT_EQ("PAGE 2,2479,3508,25,50", lines[9]);
}

}  // namespace
