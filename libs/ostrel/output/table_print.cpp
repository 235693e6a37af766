// PrintTable and WriteTableFile: one job on the chosen printer, drawn on
// its pages or written as page-file records laid out for it.
#include "grid_window.h"
#include "grusk.h"
#include "hestel.h"
#include "page_file.h"
#include "print_layout.h"
#include "table_output.h"
#include "wennic.h"

namespace {

const int kWriteError = 29;
const int kFileNotCreated = 40;
const int kNoPrinterDc = 103;
const int kEndPageError = 105;
const int kFirstPageError = 108;

// The printer's DC, print font and margins, and the table's titles lent to
// a print context; the font and DC are deleted when it goes.
class PrinterJob {
 public:
  explicit PrinterJob(RecordSetTable* table) : table_(table) {
    owner_ = GridOwner(table);
    GetWindowTextA(owner_, name_, sizeof name_);
    dc_ = PRNCREATE();
    if (!dc_) return;
    context.owner = owner_;
    context.dc = dc_;
    context.font = PRNFONT(dc_);
    RECT margins = {};
    PRNMARGIN(dc_, &margins);
    context.marginLeft = margins.left;
    context.marginTop = margins.top;
    context.marginRight = margins.right;
    context.marginBottom = margins.bottom;
  }
  ~PrinterJob() {
    if (context.font) DeleteObject(context.font);
    context.font = nullptr;
    if (dc_) DeleteDC(dc_);
  }
  PrinterJob(const PrinterJob&) = delete;
  PrinterJob& operator=(const PrinterJob&) = delete;

  HDC dc() const { return dc_; }
  const char* name() const { return name_; }
  void LendTitles() { context.BorrowTitles(table_->context); }

  TablePrintContext context;

 private:
  RecordSetTable* table_;
  HWND owner_ = nullptr;
  char name_[65] = {};  // the owner's text, at most 64 characters
  HDC dc_ = nullptr;
};

// Shows a non-zero error by its message; TRUE when there was none.
BOOL Report(RecordSetTable* table, int error) {
  if (!error) return TRUE;
  ERRBOX(table->window, error, 0, nullptr);
  return FALSE;
}

}  // namespace

BOOL PrintTable(RecordSetTable* table, const char* title) {
  if (!table || !table->records) return FALSE;
  PrinterJob job(table);
  if (!job.dc()) return Report(table, kNoPrinterDc);
  int error = static_cast<int>(PRNSTART(table->window, job.dc(), job.name()));
  if (error) return Report(table, error);
  job.LendTitles();
  if (StartPage(job.dc()) <= 0) {
    error = kFirstPageError;
  } else {
    LayoutPrintTable(&job.context, table->records);
    const int titleBottom = PrintTableTitle(&job.context, title);
    error = job.context.PrintPages(table->records, titleBottom, 0);
    if (EndPage(job.dc()) < 0 && !error) error = kEndPageError;
  }
  const int stop = static_cast<int>(PRNSTOP(table->window, job.dc()));
  if (!error) error = stop;
  return Report(table, error);
}

HANDLE WriteTableFile(RecordSetTable* table, const char* title) {
  if (!table || !table->records) return nullptr;
  PrinterJob job(table);
  if (!job.dc()) {
    Report(table, kNoPrinterDc);
    return nullptr;
  }
  HANDLE file = HESTEL_CREATE(nullptr);
  int error = 0;
  if (!file) {
    error = static_cast<int>(GetLastError());
    if (!error) error = kFileNotCreated;
  } else {
    error = static_cast<int>(PRNSTART(table->window, nullptr, job.name()));
    if (!error) {
      TablePrintContext& c = job.context;
      c.pageFile = file;
      c.writeRow = WritePageRow;
      job.LendTitles();
      if (!WritePageHeader(file, 1, job.dc(), c.font) || !WritePagePrintFont(file, PRNGETFONT())) {
        error = kWriteError;
      } else {
        LayoutPrintTable(&c, table->records);
        const int titleBottom = PrintTableTitle(&c, title);
        if (titleBottom < 0) error = kWriteError;
        if (!error) error = c.PrintPages(table->records, titleBottom, 0);
        if (!error && !WritePageGrid(file)) error = kWriteError;
        if (!error && !WritePageEnd(file)) error = kWriteError;
      }
      // A stop in the progress dialog still ends the file; PRNSTOP's
      // result is not used here.
      PRNSTOP(table->window, nullptr);
    }
    if (!error && !FlushFileBuffers(file)) error = kWriteError;
  }
  if (error) {
    if (file) HESTEL_CLOSE(file);
    Report(table, error);
    return nullptr;
  }
  return file;
}
