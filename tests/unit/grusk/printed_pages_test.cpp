// Jobs on the real printer "PDF" (CUPS with cups-pdf): what lands in the PDF
// file, where it lands on the page, and a stopped job that prints nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include "grusk_support.h"

using namespace grusk_test;

namespace {

// Seconds a finished job may take to appear as a PDF file.
const int kPrintWait = 30;

std::string ItemText(HWND dialog, int id) {
  char text[256] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

TEST(PrintedPages, TextBoxesInsideTheMargins) {
  PrintKeys keep;
  PrintKeys::Set("10,15,10,15", "10,Arial");
  Grusk grusk;
  OwnerWindow owner;
  ASSERT_TRUE(grusk.selPrinter(nullptr));
  HDC dc = grusk.prnCreate();
  ASSERT_NE(dc, nullptr);
  HFONT font = grusk.prnFont(dc);
  PdfWatch watch;
  ASSERT_EQ(grusk.prnStart(owner.hwnd(), dc, "grusk_box"), 0u);
  HWND dialog = WaitForDialog("Печать", 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, 1002), "PDF на CUPS:PDF");
  EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));

  ASSERT_GT(StartPage(dc), 0);
  HGDIOBJ old = SelectObject(dc, font);
  EXPECT_GT(grusk.prnBox(dc, 0, 0, 100, 10, "C", "ИТОГО"), 0);
  EXPECT_GT(grusk.prnBox(dc, 0, 20, 100, 30, "R", "Right"), 0);
  EXPECT_GT(grusk.prnBox(dc, 0, 40, 100, 50, "L", "Left"), 0);
  EXPECT_GT(grusk.prnBox(dc, 0, 60, 100, 70, nullptr, "Unaligned"), 0);  // left
  SelectObject(dc, old);
  ASSERT_GT(EndPage(dc), 0);
  EXPECT_FALSE(grusk.prnShow(1, 1));
  EXPECT_EQ(ItemText(dialog, 1000), "Страница 1 из 1");
  EXPECT_EQ(grusk.prnStop(owner.hwnd(), dc), 0u);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  DeleteObject(font);
  DeleteDC(dc);

  std::string pdf = watch.Find("grusk_box", kPrintWait);
  ASSERT_FALSE(pdf.empty()) << "no PDF titled grusk_box in ~/PDF";
  std::vector<PdfWord> words = PdfWords(pdf);
  const PdfWord* total = FindWord(words, "ИТОГО");
  const PdfWord* right = FindWord(words, "Right");
  const PdfWord* left = FindWord(words, "Left");
  const PdfWord* unaligned = FindWord(words, "Unaligned");
  ASSERT_TRUE(total && right && left && unaligned) << PdfText(pdf);
  // Boxes 0-100 mm from a 10 mm left margin: 28.3 pt to 311.8 pt.
  EXPECT_NEAR(left->xMin, 28.3, 0.5);
  EXPECT_NEAR(unaligned->xMin, 28.3, 0.5);
  EXPECT_GE(right->xMax, 311.0);
  EXPECT_LE(right->xMax, 313.0);
  EXPECT_NEAR((total->xMin + total->xMax) / 2, 170.6, 1.0);
  // Rows 20 mm apart below a 15 mm top margin.
  EXPECT_NEAR(total->yMin, 42.5, 3.0);
  EXPECT_NEAR(right->yMin - total->yMin, 56.7, 1.0);
}

TEST(PrintedPages, StoppedJobPrintsNothing) {
  Grusk grusk;
  ASSERT_TRUE(grusk.selPrinter(nullptr));
  HDC dc = grusk.prnCreate();
  ASSERT_NE(dc, nullptr);
  PdfWatch watch;
  ASSERT_EQ(grusk.prnStart(nullptr, dc, "grusk_stop"), 0u);
  HWND dialog = WaitForDialog("Печать", 0);
  ASSERT_NE(dialog, nullptr);
  ASSERT_GT(StartPage(dc), 0);
  grusk.prnBox(dc, 0, 0, 100, 10, "L", "stopped");
  EndPage(dc);
  std::thread([dialog] { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }).join();
  EXPECT_TRUE(grusk.prnShow(1, 2));
  EXPECT_EQ(grusk.prnStop(nullptr, dc), 0u);
  EXPECT_FALSE(IsWindow(dialog));
  DeleteDC(dc);
  EXPECT_EQ(watch.Find("grusk_stop", 15), "");
}

// A script prints through GRUSK and GDI32 declared with DEF, the way the
// script runner binds them; Cyrillic text comes out as Cyrillic.
TEST(PrintedPages, ScriptPrintsCyrillic) {
  PrintKeys keep;
  PrintKeys::Set("10,10,10,10", "DejaVu Sans,10");
  char directory[MAX_PATH] = "";
  GetTempPathA(sizeof directory, directory);
  std::string script = std::string(directory) + "grusk_script.bas";
  FILE* f = std::fopen(script.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs(
      "' show: P DC F S1 S2 S3 S4 D\r\n"
      "DEF GRUSK\r\n"
      "DEF GRUSK!PRNCREATE(NULL) LONG\r\n"
      "DEF GRUSK!PRNFONT(LONG<HDC>) LONG\r\n"
      "DEF GRUSK!PRNSTART(LONG<hWnd>, LONG<HDC>, STRING<Doc>) LONG\r\n"
      "DEF GRUSK!PRNSHOW(LONG<Page>, LONG<Total>) LONG\r\n"
      "DEF GRUSK!PRNSTOP(LONG<hWnd>, LONG<HDC>) LONG\r\n"
      "DEF GDI32!StartPage(LONG<HDC>) LONG\r\n"
      "DEF GDI32!EndPage(LONG<HDC>) LONG\r\n"
      "DEF GDI32!SelectObject(LONG<HDC>, LONG<Obj>) LONG\r\n"
      "DEF GDI32!DeleteObject(LONG<Obj>) BOOL\r\n"
      "DEF GDI32!DeleteDC(LONG<HDC>) BOOL\r\n"
      "P = GRUSK!SELPRINTER(0)\r\n"
      "DC = GRUSK!PRNCREATE(0)\r\n"
      "F = GRUSK!PRNFONT(DC)\r\n"
      "S1 = GRUSK!PRNSTART(0, DC, \"grusk_script\")\r\n"
      "S2 = GDI32!StartPage(DC)\r\n"
      "GDI32!SelectObject(DC, F)\r\n"
      "GRUSK!PRNBOX(DC, 0, 0, 150, 10, \"L\", \"Проба печати\")\r\n"
      "S3 = GDI32!EndPage(DC)\r\n"
      "S4 = GRUSK!PRNSHOW(1, 1) + GRUSK!PRNSTOP(0, DC)\r\n"
      "D = GDI32!DeleteDC(DC)\r\n"
      "GDI32!DeleteObject(F)\r\n",
      f);
  std::fclose(f);

  PdfWatch watch;
  // The runner beside this test prints the chosen variables, here into a
  // file: a pipe may stay open in a Wine service process started meanwhile.
  std::string outputFile = script + ".txt";
  {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    PROCESS_INFORMATION process{};
    std::string command = "script_runner.exe \"" + script + "\"";
    BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(out);
    ASSERT_TRUE(started);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  std::string output = ReadFileText(outputFile);
  DeleteFileA(outputFile.c_str());
  DeleteFileA(script.c_str());
  EXPECT_NE(output.find("P = BOOL:TRUE"), std::string::npos) << output;
  EXPECT_NE(output.find("S1 = LONG:0"), std::string::npos) << output;
  EXPECT_NE(output.find("S4 = LONG:0"), std::string::npos) << output;
  EXPECT_NE(output.find("D = BOOL:TRUE"), std::string::npos) << output;

  std::string pdf = watch.Find("grusk_script", kPrintWait);
  ASSERT_FALSE(pdf.empty()) << "no PDF titled grusk_script in ~/PDF\n" << output;
  EXPECT_NE(PdfText(pdf).find("Проба печати"), std::string::npos) << PdfText(pdf);
  // DejaVu Sans reached the page.
  EXPECT_NE(RunUnix("pdffonts '" + pdf + "'", 20000).find("DejaVuSans"), std::string::npos);
}

}  // namespace
