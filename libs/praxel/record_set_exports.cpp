// PRAXEL's record-set exports. A record-set handle is the address of the
// RecordSetObject that PRAXEL_New made; a handle that names no live record
// set gives 0, FALSE or a NULL record, like 0.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base_list.h"
#include "column_values.h"
#include "library_frame.h"
#include "live_record_sets.h"
#include "query_dialog.h"
#include "record_set.h"
#include "text_helpers.h"
#include "variable.h"
#include "wennic.h"

namespace {

enum : int { kBadParameter = 87 };
const unsigned long kMaxCacheRows = 60;
const int kFooterNumberSize = 32;

bool StartsWithDigit(const char* text) { return text && *text >= '0' && *text <= '9'; }

// The decimal value of a leading number, low 16 bits.
unsigned long LeadingNumber(const char* text) {
  return static_cast<unsigned long>(std::strtoul(text, nullptr, 10)) & 0xFFFF;
}

VARIABLE* NewResult() { return new (std::nothrow) VARIABLE; }

}  // namespace

KORVEX_EXPORT RecordSetObject* WINAPI PRAXEL_New(HDBC base, const char* name, unsigned long cash) {
  if (!base || !name || !FindBase(base)) {
    ERRBOX(GetFocus(), kBadParameter, 0, nullptr);
    return nullptr;
  }
  RecordSet* set = new (std::nothrow) RecordSet(base, name);
  if (!set) return nullptr;
  if (!set->constructed() || !RememberRecordSet(set)) {
    delete set;
    return nullptr;
  }
  unsigned long rows = cash & 0xFFFF;
  if (rows == 0) rows = 1;
  if (rows > kMaxCacheRows) rows = kMaxCacheRows;
  return set->SetCacheSize(rows);
}

KORVEX_EXPORT long WINAPI PRAXEL_Close(uintptr_t handle) {
  RecordSet* set = ForgetRecordSet(handle);
  if (!set) return 0;
  set->CloseCursor();
  delete set;
  return 1;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Open(uintptr_t handle, const char* query, const char* cursor) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->OpenCursor(query, cursor) : FALSE;
}

KORVEX_EXPORT long WINAPI PRAXEL_Refresh(uintptr_t handle, BOOL on) {
  RecordSet* set = LiveRecordSet(handle);
  return set && set->RefreshCursor(on) ? set->RecordCount() : 0;
}

KORVEX_EXPORT long WINAPI PRAXEL_RecCnt(uintptr_t handle) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->RecordCount() : 0;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_RecGet(uintptr_t handle, long record) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->GoToRecord(record) : FALSE;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Deleted(uintptr_t handle) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->IsDeleted() : FALSE;
}

KORVEX_EXPORT VARIABLE* WINAPI PRAXEL_Field(uintptr_t handle, const char* name) {
  VARIABLE* result = NewResult();
  RecordSet* set = LiveRecordSet(handle);
  if (!result || !set) return result;
  if (!StartsWithDigit(name)) {
    result->SetLong(set->FieldIndex(name ? name : ""));
    return result;
  }
  const Column* c = set->ColumnAt(LeadingNumber(name));
  if (!c) return result;
  // A text column's size without its terminating zero.
  long size = c->size - (c->cType == SQL_C_CHAR && !c->IsLongData() ? 1 : 0);
  char text[64];
  std::snprintf(text, sizeof text, "%s,%ld%c%d", c->name, size, c->letter, c->decimals);
  *result = text;
  return result;
}

KORVEX_EXPORT long WINAPI PRAXEL_FldOption(uintptr_t handle, const char* name, const char* option) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return 0;
  if (StartsWithDigit(name)) return set->ApplyFieldOption(LeadingNumber(name), option);
  long column = set->FieldIndex(name);
  if (!column) {
    set->ReportFieldError(name ? name : "", "FldOption");
    return 0;
  }
  return set->ApplyFieldOption(column, option);
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Footer(uintptr_t handle, const char* name, const VARIABLE* value) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return FALSE;
  long column = set->FieldIndex(name);
  if (!column) {
    set->ReportFieldError(name ? name : "", "Footer");
    return FALSE;
  }
  char* footer = nullptr;
  switch (value ? value->type : static_cast<unsigned char>(VAL_NULL)) {
    case VAL_LONG: case VAL_REAL: case VAL_BOOL: case VAL_MONEY:
      footer = static_cast<char*>(std::malloc(kFooterNumberSize));
      if (footer) value->GetText(footer, kFooterNumberSize, 0);
      break;
    case VAL_STRING:
      if (value->text) {
        footer = static_cast<char*>(std::malloc(std::strlen(value->text) + 1));
        if (footer) UnescapeText(footer, value->text);
      }
      break;
    default:
      break;
  }
  set->SetFooter(column, footer);
  return TRUE;
}

KORVEX_EXPORT INT_PTR WINAPI PRAXEL_ShowQuery(uintptr_t handle, HWND owner) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? ShowQueryDialog(set, owner) : 0;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Edit(uintptr_t handle, long record) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return FALSE;
  return record == 0 ? set->NewRecord() : set->EditRecord(record);
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Update(uintptr_t handle, long record) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return FALSE;
  return record == 0 ? set->InsertRecord() : set->UpdateRecord(record);
}

// Deletes a record of the result (two words; it does not close the set).
KORVEX_EXPORT BOOL WINAPI PRAXEL_Remove(uintptr_t handle, long record) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->DeleteRecord(record) : FALSE;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Transaction(uintptr_t handle, const char* action) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->Transaction(action) : FALSE;
}

KORVEX_EXPORT VARIABLE* WINAPI PRAXEL_ParGet(uintptr_t handle, unsigned long number) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? ColumnValue(set, number) : NewResult();
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_ParPut(uintptr_t handle, unsigned long number, const VARIABLE* value) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? PutColumnValue(set, number, value) : FALSE;
}

KORVEX_EXPORT VARIABLE* WINAPI PRAXEL_FldGet(uintptr_t handle, const char* name) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return NewResult();
  long column = set->FieldIndex(name);
  if (column) return ColumnValue(set, column);
  set->ReportFieldError(name ? name : "", "FldGet");
  VARIABLE* result = NewResult();
  if (result) {
    result->TYPE(VAL_STRING);
    *result = name;
  }
  return result;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_FldPut(uintptr_t handle, const char* name, const VARIABLE* value) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return FALSE;
  long column = set->FieldIndex(name);
  if (!column) {
    set->ReportFieldError(name ? name : "", "FldPut");
    return FALSE;
  }
  return PutColumnValue(set, column, value);
}

// Not declared for scripts: other libraries and in-process callers.
KORVEX_EXPORT long WINAPI PRAXEL_FldBuf(uintptr_t handle, const char* name, FieldRequest* request) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return 0;
  long column = set->FieldIndex(name);
  if (!column) {
    set->ReportFieldError(name ? name : "", "FldGet");
    return 0;
  }
  return set->FieldBuffer(column, request);
}
