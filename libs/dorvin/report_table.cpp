// The TABLE part of a form: its columns over the first record set, printed
// by the grid engine's page breaking on the form's page (printer or page
// file), below the form's part above it.
#include <algorithm>
#include <cstring>

#include "form_messages.h"
#include "page_file.h"
#include "report_form.h"
#include "table_print_context.h"

uint32_t ReportForm::PrintTable(ReportPage& page, const char* headings, uint16_t above,
                                uint16_t below) {
  RecordSetObject* set = setCount_ ? sets_[0] : nullptr;
  if (!set) return 0;
  TablePrintContext context;
  // The joined headings are the context's column titles.
  size_t length = std::strlen(headings);
  context.titles = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);
  char* titles = context.titles ? static_cast<char*>(GlobalLock(context.titles)) : nullptr;
  if (!titles) return kFormNoMemory;
  std::memcpy(titles, headings, length);
  GlobalUnlock(context.titles);

  context.dc = page.dc;
  context.owner = owner_;
  context.pageFile = page.pageFile;
  context.writeRow = WritePageRow;
  context.font = page.font;
  context.marginLeft = page.margins.left;
  context.marginTop = page.margins.top;
  context.marginRight = page.margins.right;
  context.marginBottom = page.margins.bottom;
  context.width = page.width;
  // The height without the top and bottom margins: the page breaks keep
  // every row above the bottom margin.
  context.height = page.height;
  context.columnCount = page.columnCount;
  std::copy(page.columns, page.columns + page.columnCount, context.columns);
  int result = context.PrintPages(set, above, below);
  // What follows the table in the form starts under it.
  page.margins.top = context.marginTop;
  return static_cast<uint32_t>(result) & 0xFFFF;
}
