// The four report drivers: the form once or once per record of the first
// record set, on the printer or into a page file, each as one print job of
// Grusk with its progress dialog.
#include "grusk.h"
#include "hestel.h"
#include "page_file.h"
#include "report_form.h"
#include "wennic.h"

namespace {

const uint32_t kNoPrinterDc = 103;
const uint32_t kEndPageFailed = 105;
const uint32_t kStartPageFailed = 108;
const uint32_t kNoRowsPerPage = 109;  // no boxes, or one form taller than the page
const uint32_t kTooManyPages = 111;
const uint32_t kWriteFailed = 29;

// The printer's device context, print font and margins of one job.
struct PrinterPage {
  ReportPage page;
  PrinterPage() {
    page.dc = PRNCREATE();
    if (!page.dc) return;
    page.font = PRNFONT(page.dc);
    PRNMARGIN(page.dc, &page.margins);
  }
  ~PrinterPage() {
    if (page.font) DeleteObject(page.font);
    if (page.dc) DeleteDC(page.dc);
  }
  PrinterPage(const PrinterPage&) = delete;
  PrinterPage& operator=(const PrinterPage&) = delete;
};

// Pages for the records, the event's slot counted too.
uint32_t PageCount(long records, uint16_t event, uint16_t rows) {
  unsigned long slots = static_cast<unsigned long>(records < 0 ? 0 : records) + (event ? 1 : 0);
  return slots <= rows ? 1 : static_cast<uint32_t>((slots - 1) / rows + 1);
}

// A per-record run over the first record set: `rows` form slots a page,
// the event's slot first when there is one.
struct TableRun {
  RecordSetObject* set;
  long records;
  uint32_t pages;
  uint16_t rows;
  uint16_t event;
  long next;  // the record the next slot shows
};

TableRun CountRun(RecordSetObject* set, uint16_t rows, uint16_t event) {
  long records = set ? set->RecordCount() : 0;
  return TableRun{set, records, PageCount(records, event, rows), rows, event, 1};
}

// Renders page `number`'s slots (both per-record drivers); true when the
// stop button was pressed: the printing ends after this page.
bool RenderSlots(ReportForm& form, ReportPage& page, TableRun& run, uint32_t number) {
  bool stopped = false;
  for (uint16_t slot = 1; slot <= run.rows && !form.ReportCancelled(); ++slot) {
    if (number == 1 && slot == 1 && run.event) {
      SendMessageA(form.Owner(), WM_COMMAND, run.event, reinterpret_cast<LPARAM>(page.dc));
      continue;
    }
    if (run.next > run.records) break;
    run.set->GoToRecord(run.next++);
    if (PRNSHOW(static_cast<int>(number), static_cast<int>(run.pages))) stopped = true;
    form.RenderForm(page, static_cast<int16_t>(slot));
  }
  return stopped;
}

// The end of a printer driver: TRUE, or the error shown.
BOOL PrinterResult(HWND owner, uint32_t error) {
  if (!error) return TRUE;
  ERRBOX(owner, static_cast<int>(error), 0, nullptr);
  return FALSE;
}

// The end of a page file driver: the file, or the error shown and the
// file closed.
HANDLE PageFileResult(HWND owner, ReportPage& page, uint32_t error) {
  if (page.pageFile) FlushFileBuffers(page.pageFile);
  if (!error) return page.pageFile;
  if (page.pageFile) HESTEL_CLOSE(page.pageFile);
  ERRBOX(owner, static_cast<int>(error), 0, nullptr);
  return nullptr;
}

}  // namespace

uint32_t ReportForm::RowsPerPage(ReportPage& page, uint16_t& rows) {
  uint16_t height = RenderForm(page, -1);
  rows = height ? static_cast<uint16_t>(page.height > 0 ? page.height / height : 0) : 0;
  return rows ? 0 : kNoRowsPerPage;
}

BOOL ReportForm::PrintFormOnPrinter(const char* title) {
  cancelled_ = false;
  PrinterPage job;
  ReportPage& page = job.page;
  uint32_t error = page.dc ? PRNSTART(owner_, page.dc, title) : kNoPrinterDc;
  if (page.dc && !error) {
    if (StartPage(page.dc) <= 0) {
      error = kStartPageFailed;
    } else {
      PRNSHOW(1, 1);
      RenderForm(page, 0);
      if (EndPage(page.dc) < 0) error = kEndPageFailed;
    }
    uint32_t stopped = PRNSTOP(owner_, page.dc);
    if (!error) error = stopped;
  }
  return PrinterResult(owner_, error);
}

HANDLE ReportForm::PrintFormToFile(const char* title) {
  cancelled_ = false;
  PrinterPage job;
  ReportPage& page = job.page;
  uint32_t error = 0;
  if (!page.dc) error = kNoPrinterDc;
  if (!error && !(page.pageFile = HESTEL_CREATE(nullptr))) error = GetLastError();
  if (!error) error = PRNSTART(owner_, nullptr, title);
  if (!error) {
    if (!WritePageHeader(page.pageFile, 1, page.dc, page.font)) {
      error = kWriteFailed;
    } else {
      PRNSHOW(1, 1);
      RenderForm(page, 0);
    }
    PRNSTOP(owner_, nullptr);
  }
  return PageFileResult(owner_, page, error);
}

BOOL ReportForm::PrintTableOnPrinter(const char* title, uint16_t event) {
  cancelled_ = false;
  PrinterPage job;
  ReportPage& page = job.page;
  uint16_t rows = 0;
  uint32_t error = page.dc ? RowsPerPage(page, rows) : kNoPrinterDc;
  if (!error) error = PRNSTART(owner_, page.dc, title);
  if (!error) {
    TableRun run = CountRun(setCount_ ? sets_[0] : nullptr, rows, event);
    bool stopped = false;
    for (uint32_t number = 1; number <= run.pages && !error && !stopped && !cancelled_; ++number) {
      // A page that cannot be started gets nothing, not even its end.
      if (StartPage(page.dc) <= 0) {
        error = kStartPageFailed;
        break;
      }
      stopped = RenderSlots(*this, page, run, number);
      if (EndPage(page.dc) < 0) error = kEndPageFailed;
    }
    uint32_t stop = PRNSTOP(owner_, page.dc);
    if (!error) error = stop;
  }
  return PrinterResult(owner_, error);
}

HANDLE ReportForm::PrintTableToFile(const char* title, uint16_t event) {
  cancelled_ = false;
  PrinterPage job;
  ReportPage& page = job.page;
  uint16_t rows = 0;
  TableRun run = {};
  uint32_t error = page.dc ? RowsPerPage(page, rows) : kNoPrinterDc;
  if (!error) {
    run = CountRun(setCount_ ? sets_[0] : nullptr, rows, event);
    // Page numbers are 8 bits in the file.
    if (run.pages > kPageMaxNumber) error = kTooManyPages;
  }
  if (!error && !(page.pageFile = HESTEL_CREATE(nullptr))) error = GetLastError();
  if (!error) error = PRNSTART(owner_, nullptr, title);
  if (!error) {
    bool stopped = false;
    for (uint32_t number = 1; number <= run.pages && !stopped && !cancelled_; ++number) {
      // A page whose record cannot be written gets no rows.
      if (!WritePageHeader(page.pageFile, static_cast<int>(number), page.dc, page.font)) continue;
      stopped = RenderSlots(*this, page, run, number);
    }
    WritePageEnd(page.pageFile);
    PRNSTOP(owner_, nullptr);
  }
  return PageFileResult(owner_, page, error);
}
