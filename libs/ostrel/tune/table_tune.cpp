#include "table_tune.h"

#include "grid_window.h"
#include "record_set_table.h"
#include "table_settings.h"
#include "tune_sheet.h"

DWORD ReadTableTune(RecordSetTable* table) {
  DWORD changed = 0;
  char section[32];
  TableSectionName(table->name, section);
  if (section[0] && table->records) {
    TableSettingsTarget target = {table->window, table->records, section,
                                  (GridStyle(table) & kStyleSort) != 0};
    changed = ApplyTableSettings(target);
  }
  TableMarkerSetting marker;
  if (ReadTableMarker(&marker)) {
    if (marker.width >= 1) SetGridMarkerWidth(static_cast<int>(marker.width));
    SetGridMarkerColor(marker.colour);
  }
  return changed;
}

DWORD ShowTuneSheet(RecordSetTable* table, HINSTANCE resources) {
  if (!table->records) return 0;
  TuneSubject subject;
  subject.window = table->window;
  subject.records = table->records;
  TableSectionName(table->name, subject.section);
  if (const char* titles = table->context.LockTitles()) {
    subject.titles = SplitTitles(titles, GlobalSize(table->context.titles));
    table->context.UnlockTitles();
  }
  subject.result = 0;
  DWORD result = RunTuneSheet(&subject, resources);
  table->tuneResult = static_cast<long>(result);
  if (result) {
    // New modes or font: lay the table out again and draw it whole.
    table->state |= kStateLayout;
    InvalidateRect(table->window, nullptr, TRUE);
  }
  return result;
}
