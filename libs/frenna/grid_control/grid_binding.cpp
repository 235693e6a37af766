#include "grid_binding.h"

#include <cstdlib>

#include "grid_control.h"
#include "grid_window.h"

namespace {

const unsigned kControlStyle = kStyleScroll | kStyleGoTo | kStyleFind;  // 200

// The record set's current record (column 0's text); 0 becomes 1.
long CurrentRecord(RecordSetObject* records) {
  char text[16] = "";
  records->GetFieldText(0, text, sizeof text);
  long record = std::atol(text);
  return record > 0 ? record : 1;
}

}  // namespace

void BindGridRecordSet(HWND window, RecordSetTable* table, RecordSetObject* records, const char* titles) {
  // A record set kept without its columns would be laid out at the next
  // paint with no titles, which hides every field of the script's record
  // set: unbound instead, it shows nothing and reads "0".
  if (!records || !titles || !SetGridRecordSet(table, records, titles)) {
    table->records = nullptr;
    return;
  }
  SetGridStyle(table, kControlStyle);
  SetGridSelected(table, CurrentRecord(records));
  SetGridEvent(table, kEventEdit, kGridEditCommand);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
}
