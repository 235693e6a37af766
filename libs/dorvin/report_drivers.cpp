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
  if (!error) return TRUE;
  ERRBOX(owner_, static_cast<int>(error), 0, nullptr);
  return FALSE;
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
  if (page.pageFile) FlushFileBuffers(page.pageFile);
  if (!error) return page.pageFile;
  if (page.pageFile) HESTEL_CLOSE(page.pageFile);
  ERRBOX(owner_, static_cast<int>(error), 0, nullptr);
  return nullptr;
}

BOOL ReportForm::PrintTableOnPrinter(const char* title, uint16_t event) {
  cancelled_ = false;
  PrinterPage job;
  ReportPage& page = job.page;
  RecordSetObject* set = setCount_ ? sets_[0] : nullptr;
  uint16_t rows = 0;
  uint32_t error = page.dc ? RowsPerPage(page, rows) : kNoPrinterDc;
  if (!error) error = PRNSTART(owner_, page.dc, title);
  if (!error) {
    long records = set ? set->RecordCount() : 0;
    uint32_t pages = PageCount(records, event, rows);
    long next = 1;
    bool stopped = false;
    for (uint32_t number = 1; number <= pages && !error && !stopped && !cancelled_; ++number) {
      // A page that cannot be started gets nothing, not even its end.
      if (StartPage(page.dc) <= 0) {
        error = kStartPageFailed;
        break;
      }
      for (uint16_t slot = 1; slot <= rows && !cancelled_; ++slot) {
        if (number == 1 && slot == 1 && event) {
          SendMessageA(owner_, WM_COMMAND, event, reinterpret_cast<LPARAM>(page.dc));
          continue;
        }
        if (next > records) break;
        set->GoToRecord(next++);
        // The stop button ends the printing after this page.
        if (PRNSHOW(static_cast<int>(number), static_cast<int>(pages))) stopped = true;
        RenderForm(page, static_cast<int16_t>(slot));
      }
      if (EndPage(page.dc) < 0) error = kEndPageFailed;
    }
    uint32_t stop = PRNSTOP(owner_, page.dc);
    if (!error) error = stop;
  }
  if (!error) return TRUE;
  ERRBOX(owner_, static_cast<int>(error), 0, nullptr);
  return FALSE;
}

HANDLE ReportForm::PrintTableToFile(const char* title, uint16_t event) {
  cancelled_ = false;
  PrinterPage job;
  ReportPage& page = job.page;
  RecordSetObject* set = setCount_ ? sets_[0] : nullptr;
  uint16_t rows = 0;
  uint32_t pages = 0;
  long records = 0;
  uint32_t error = page.dc ? RowsPerPage(page, rows) : kNoPrinterDc;
  if (!error) {
    records = set ? set->RecordCount() : 0;
    pages = PageCount(records, event, rows);
    // Page numbers are 8 bits in the file.
    if (pages > kPageMaxNumber) error = kTooManyPages;
  }
  if (!error && !(page.pageFile = HESTEL_CREATE(nullptr))) error = GetLastError();
  if (!error) error = PRNSTART(owner_, nullptr, title);
  if (!error) {
    long next = 1;
    bool stopped = false;
    for (uint32_t number = 1; number <= pages && !stopped && !cancelled_; ++number) {
      // A page whose record cannot be written gets no rows.
      if (!WritePageHeader(page.pageFile, static_cast<int>(number), page.dc, page.font)) continue;
      for (uint16_t slot = 1; slot <= rows && !cancelled_; ++slot) {
        if (number == 1 && slot == 1 && event) {
          SendMessageA(owner_, WM_COMMAND, event, reinterpret_cast<LPARAM>(page.dc));
          continue;
        }
        if (next > records) break;
        set->GoToRecord(next++);
        if (PRNSHOW(static_cast<int>(number), static_cast<int>(pages))) stopped = true;
        RenderForm(page, static_cast<int16_t>(slot));
      }
    }
    WritePageEnd(page.pageFile);
    PRNSTOP(owner_, nullptr);
  }
  if (page.pageFile) FlushFileBuffers(page.pageFile);
  if (!error) return page.pageFile;
  if (page.pageFile) HESTEL_CLOSE(page.pageFile);
  ERRBOX(owner_, static_cast<int>(error), 0, nullptr);
  return nullptr;
}
