// The page arithmetic is kept as it has always printed: a middle page
// leaves at least one record for the last page (100 records at 10 first,
// 10 last and 20 a page print 10, 20, 20, 20, 20, 9 and 1), and d does not
// subtract the bottom margin. Capacities below one row (a title or footer
// taller than the page) print one row a page instead of dividing by zero.
#include "page_breaks.h"

PagePlan PlanPages(long count, int rowHeight, int d, int a, int b, int footer) {
  PagePlan plan;
  plan.count = count > 0 ? count : 0;
  if (plan.count == 0) return plan;
  if (rowHeight < 1) rowHeight = 1;
  const long fitAll = (d - a - b - footer) / rowHeight;
  if (fitAll >= 1 && plan.count <= fitAll) {
    plan.pages = 1;
    plan.first = static_cast<int>(plan.count);
    plan.last = plan.first;
    plan.perPage = plan.first;
    return plan;
  }
  const int first = (d - a) / rowHeight;
  const int last = (d - b - footer) / rowHeight;
  const int per = d / rowHeight;
  if (first < 1 || last < 1 || per < 1) {
    plan.oneRowPerPage = true;
    plan.pages = plan.count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(plan.count);
    plan.first = plan.last = plan.perPage = 1;
    return plan;
  }
  plan.last = last;
  plan.perPage = per;
  plan.first = plan.count < first ? static_cast<int>(plan.count - 1) : first;
  if (static_cast<long>(first) + last < plan.count)
    plan.pages = static_cast<int>((plan.count - first - last) / per + 3);
  else
    plan.pages = 2;
  return plan;
}

long RowsOnPage(const PagePlan& plan, int page, long next) {
  if (page < 1 || page > plan.pages || next > plan.count) return 0;
  if (plan.oneRowPerPage) return 1;
  if (page == 1) return plan.first;
  if (page == plan.pages) return plan.count - next + 1;
  const long left = plan.count - next;
  return left < plan.perPage ? left : plan.perPage;
}

int RunPagePlan(const PagePlan& plan, PageSteps* steps, bool* stopped) {
  *stopped = false;
  long next = 1;
  for (int page = 1; page <= plan.pages; ++page) {
    if (steps->Show(page, plan.pages)) {
      *stopped = true;
      return 0;
    }
    if (page > 1) {
      if (int error = steps->NextPage(page)) return error;
    }
    const long rows = RowsOnPage(plan, page, next);
    if (rows > 0) {
      if (int error = steps->Rows(next, rows)) return error;
      next += rows;
    }
  }
  return 0;
}
