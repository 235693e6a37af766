// Page breaking as arithmetic: the rows of each page, the progress calls
// and a stop, with steps that only log what they are asked to do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_breaks.h"

namespace {

class LoggedSteps : public PageSteps {
 public:
  int stopAt = 0;  // Show answers 1 for this page
  int failNextPage = 0;
  std::vector<std::pair<int, int>> shown;
  std::vector<long> rows;
  std::vector<long> firsts;
  std::vector<int> begun;

  bool Show(int page, int pages) override {
    shown.push_back({page, pages});
    return page == stopAt;
  }
  int NextPage(int page) override {
    begun.push_back(page);
    return page == failNextPage ? 104 : 0;
  }
  int Rows(long first, long count) override {
    firsts.push_back(first);
    rows.push_back(count);
    return 0;
  }
};

std::vector<long> PageRows(const PagePlan& plan) {
  std::vector<long> out;
  long next = 1;
  for (int page = 1; page <= plan.pages; ++page) {
    out.push_back(RowsOnPage(plan, page, next));
    next += out.back();
  }
  return out;
}

TEST(PageBreaks, HundredRowsTenFirstTenLastTwentyAPage) {
  // d 20, a 10, b + footer 10: first (20-10)/1, last (20-10)/1, per 20/1.
  const PagePlan plan = PlanPages(100, 1, 20, 10, 6, 4);
  EXPECT_EQ(plan.pages, 7);
  EXPECT_EQ(PageRows(plan), (std::vector<long>{10, 20, 20, 20, 20, 9, 1}));

  LoggedSteps steps;
  bool stopped = true;
  EXPECT_EQ(RunPagePlan(plan, &steps, &stopped), 0);
  EXPECT_FALSE(stopped);
  std::vector<std::pair<int, int>> expected;
  for (int p = 1; p <= 7; ++p) expected.push_back({p, 7});
  EXPECT_EQ(steps.shown, expected);
  EXPECT_EQ(steps.rows, (std::vector<long>{10, 20, 20, 20, 20, 9, 1}));
  EXPECT_EQ(steps.firsts, (std::vector<long>{1, 11, 31, 51, 71, 91, 100}));
  EXPECT_EQ(steps.begun, (std::vector<int>{2, 3, 4, 5, 6, 7}));

  LoggedSteps stop;
  stop.stopAt = 3;
  EXPECT_EQ(RunPagePlan(plan, &stop, &stopped), 0);
  EXPECT_TRUE(stopped);
  EXPECT_EQ(stop.rows, (std::vector<long>{10, 20})) << "pages 1 and 2 only";
  EXPECT_EQ(stop.begun, (std::vector<int>{2}));

  LoggedSteps fail;
  fail.failNextPage = 4;
  EXPECT_EQ(RunPagePlan(plan, &fail, &stopped), 104);
  EXPECT_EQ(fail.rows.size(), 3u);
}

TEST(PageBreaks, EveryRecordPrintsOnce) {
  for (long count : {1L, 2L, 9L, 10L, 11L, 29L, 30L, 31L, 57L, 1000L}) {
    for (int a : {0, 3, 12}) {
      for (int b : {0, 5}) {
        const PagePlan plan = PlanPages(count, 2, 40, a, b, 3);
        long total = 0;
        for (long r : PageRows(plan)) {
          EXPECT_GE(r, 0);
          total += r;
        }
        EXPECT_EQ(total, count) << count << " a " << a << " b " << b;
        if (plan.pages > 1) {
          const std::vector<long> rows = PageRows(plan);
          EXPECT_LE(rows.front(), (40 - a) / 2);
          EXPECT_LE(rows.back(), (40 - b - 3) / 2) << "the last page keeps b and the footer free";
        }
      }
    }
  }
}

TEST(PageBreaks, AllFitOnOnePage) {
  const PagePlan plan = PlanPages(5, 10, 100, 20, 10, 10);  // (100-40)/10 = 6 fit
  EXPECT_EQ(plan.pages, 1);
  LoggedSteps steps;
  bool stopped;
  RunPagePlan(plan, &steps, &stopped);
  EXPECT_EQ(steps.shown, (std::vector<std::pair<int, int>>{{1, 1}}));
  EXPECT_EQ(steps.rows, (std::vector<long>{5}));
  EXPECT_TRUE(steps.begun.empty());

  EXPECT_EQ(PlanPages(0, 10, 100, 0, 0, 0).pages, 0) << "no records: no pages";
  LoggedSteps none;
  RunPagePlan(PlanPages(0, 10, 100, 0, 0, 0), &none, &stopped);
  EXPECT_TRUE(none.shown.empty());
}

TEST(PageBreaks, CapacityBelowOneRowPrintsOneRowAPage) {
  for (const PagePlan& plan : {PlanPages(7, 50, 40, 0, 0, 0),      // row taller than the page
                               PlanPages(7, 10, 100, 120, 0, 0),   // title taller than the page
                               PlanPages(7, 10, 100, 0, 0, 200)}) {  // footer taller
    EXPECT_EQ(plan.pages, 7);
    EXPECT_EQ(PageRows(plan), std::vector<long>(7, 1));
  }
  EXPECT_EQ(PlanPages(3, 0, 100, 0, 0, 0).pages, 1) << "row height 0 is taken as 1";
}

TEST(PageBreaks, FewerRecordsThanTheFirstPageHolds) {
  // 8 records, first 10 but only 5 fit with the last page's room: page 1
  // takes count - 1, page 2 the last one.
  const PagePlan plan = PlanPages(8, 1, 20, 10, 5, 0);
  EXPECT_EQ(plan.pages, 2);
  EXPECT_EQ(PageRows(plan), (std::vector<long>{7, 1}));
}

}  // namespace
