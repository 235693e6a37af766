// Menu 40101 on the printer "PDF" (CUPS with cups-pdf): every page of P in
// a job named after the owner's title.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "grusk_support.h"
#include "view_support.h"

namespace {

std::string PageText(const std::string& pdf, int page) {
  std::string number = std::to_string(page);
  return grusk_test::RunUnix("pdftotext -f " + number + " -l " + number + " '" + pdf + "' -", 20000);
}

TEST(PageViewPrint, AllPagesOfPInAJobNamedAfterTheOwner) {
  selvy_test::Selvy selvy;
  selvy_test::Owner owner(false);
  LONG view = selvy_test::LoadP(selvy, owner, false);
  ASSERT_TRUE(view);
  grusk_test::PdfWatch watch;
  SendMessageA(selvy_test::ViewWindow(view), WM_COMMAND, 40101, 0);
  std::string pdf = watch.Find("KvxView", 60);
  ASSERT_FALSE(pdf.empty()) << "no PDF titled KvxView";
  std::string info = grusk_test::RunUnix("pdfinfo '" + pdf + "'", 20000);
  size_t pages = info.find("Pages:");
  ASSERT_NE(std::string::npos, pages) << info;
  EXPECT_EQ(2, std::stoi(info.substr(pages + 6))) << info;
  std::string first = PageText(pdf, 1), second = PageText(pdf, 2);
  for (const char* word : {"Итого", "Имя", "Город", "Анна", "Омск", "Борис", "Тула"})
    EXPECT_NE(std::string::npos, first.find(word)) << word << " not in " << first;
  EXPECT_EQ(std::string::npos, first.find("Вторая"));
  EXPECT_NE(std::string::npos, second.find("Вторая")) << second;
  EXPECT_EQ(std::string::npos, second.find("Итого"));
  selvy.unload(view);
}

}  // namespace
