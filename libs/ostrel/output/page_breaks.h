// Page breaking of a printed table, as arithmetic alone: how many rows go
// on each page and in what order the pages are announced and begun. The
// table printer and the form library's TABLE part both run it through
// TablePrintContext::PrintPages; the tests run it with steps of their own.
#pragma once

// The plan for `count` records of rowHeight each, where d is the page
// height less the top margin and the column heads, a the room taken above
// the table on the first page (its title) and b the room kept below it on
// the last page, footer the footer band's height.
struct PagePlan {
  long count = 0;
  int pages = 0;      // 0 when there are no records
  int first = 0;      // rows of the first page
  int last = 0;       // rows the last page can hold
  int perPage = 0;    // rows of a middle page
  bool oneRowPerPage = false;  // a capacity below one row: one row a page
};

PagePlan PlanPages(long count, int rowHeight, int d, int a, int b, int footer);

// Rows of page `page` (1-based) when `next` is the first record it prints.
long RowsOnPage(const PagePlan& plan, int page, long next);

// What a page loop does on its device. Each returns an error number (0 to
// go on) except Show, which returns true when the user stopped.
class PageSteps {
 public:
  virtual bool Show(int page, int pages) = 0;
  // Ends the page before `page` and begins `page` (not called for page 1).
  virtual int NextPage(int page) = 0;
  // Prints `rows` records from record `first` on.
  virtual int Rows(long first, long rows) = 0;

 protected:
  ~PageSteps() = default;
};

// Runs the plan: Show before each page (stopped: the loop ends with 0 and
// *stopped set), NextPage between pages, Rows on each. Returns the first
// error number of a step, else 0.
int RunPagePlan(const PagePlan& plan, PageSteps* steps, bool* stopped);
