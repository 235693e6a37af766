// PRAXEL's exports of forward statements: prepare, execute, next row,
// more results, cancel, and column values read with SQLGetData.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "blank_helpers.h"
#include "date_time.h"
#include "library_frame.h"
#include "live_record_sets.h"
#include "odbc_helpers.h"
#include "record_set.h"
#include "variable.h"

namespace {

const int kNumberTextSize = 32;

// The column of a forward result; the field error with the number as text
// when the set has none.
const Column* ForwardColumn(RecordSet* set, long column, const char* context) {
  const Column* c = column >= 1 && column <= set->FieldCount() ? set->ColumnAt(column) : nullptr;
  if (!c) {
    char number[16];
    std::snprintf(number, sizeof number, "%ld", column);
    set->ReportFieldError(number, context);
  }
  return c;
}

}  // namespace

KORVEX_EXPORT BOOL WINAPI PRAXEL_Prepare(uintptr_t handle, const char* query, const char* option) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->Prepare(query, option) : FALSE;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Execute(uintptr_t handle, const char* query) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->Execute(nullptr, 0, query) : FALSE;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Exec(uintptr_t handle, HWND window, unsigned long event, const char* query) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->Execute(window, event, query) : FALSE;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Next(uintptr_t handle, BOOL more) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->FetchNext(more) : FALSE;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_More(uintptr_t handle, BOOL more) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->MoreResults(more) : FALSE;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Cancel(uintptr_t handle) {
  RecordSet* set = LiveRecordSet(handle);
  return set ? set->Cancel() : FALSE;
}

KORVEX_EXPORT VARIABLE* WINAPI PRAXEL_Get(uintptr_t handle, long column) {
  VARIABLE* v = new (std::nothrow) VARIABLE;
  RecordSet* set = LiveRecordSet(handle);
  if (!v || !set) return v;
  const Column* c = ForwardColumn(set, column, "Get");
  if (!c) return v;
  switch (c->cType) {
    case SQL_C_CHAR:
      if (c->letter == 'C') {
        std::vector<char> text(static_cast<size_t>(c->size) + 1, '\0');
        set->GetData(column, SQL_C_CHAR, text.data(), static_cast<long>(text.size()));
        SqueezeBlanks(text.data(), static_cast<unsigned>(text.size()));
        v->TYPE(VAL_STRING);
        *v = text.data();
      } else if (c->letter == 'N' || c->letter == 'F') {
        char text[kNumberTextSize];
        if (!set->GetData(column, SQL_C_CHAR, text, sizeof text)) break;
        if (c->flags & kColumnMoney) {
          MONEY m = 0;
          TextToMoney(text, &m);
          v->SetMoney(m);
        } else if (c->letter == 'N') {
          v->SetLong(std::atol(text));
        } else {
          v->SetReal(std::atof(text));
        }
      }
      break;
    case SQL_C_DOUBLE: {
      double x = 0;
      set->GetData(column, SQL_C_DOUBLE, &x, sizeof x);
      v->SetReal(c->decimals == 0 ? std::trunc(x) : x);
      break;
    }
    case SQL_C_SLONG: {  // read as LONG, like PRAXEL_ParGet
      SDWORD n = 0;
      set->GetData(column, SQL_C_SLONG, &n, sizeof n);
      v->SetLong(n);
      break;
    }
    case SQL_C_TIMESTAMP: {
      TIMESTAMP_STRUCT t = {};
      if (!set->GetData(column, SQL_C_TIMESTAMP, &t, sizeof t)) break;
      int32_t date = MakeDate(static_cast<uint16_t>(t.year), t.month, t.day);
      if (c->letter == 'D') {
        v->SetLong(date);
      } else {
        v->TYPE(VAL_TIME);
        v->time.date = date;
        v->time.seconds = MakeTime(t.hour, t.minute, t.second);
      }
      break;
    }
    case SQL_C_GUID:
      v->TYPE(VAL_GUID);
      set->GetData(column, SQL_C_GUID, &v->guid, sizeof v->guid);
      break;
    case SQL_C_BIT: {
      unsigned char bit = 0;
      set->GetData(column, SQL_C_BIT, &bit, sizeof bit);
      v->SetBool(bit ? 1 : 0);
      break;
    }
    default:
      break;
  }
  return v;
}

// Not declared for scripts: the text of a column of a forward result.
KORVEX_EXPORT long WINAPI PRAXEL_GetStr(uintptr_t handle, long column, char* buffer, long size) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return -1;
  const Column* c = ForwardColumn(set, column, "GetStr");
  if (!c) return -1;
  if (!buffer) return -1;
  if (size < 0) {  // a type query
    buffer[0] = (c->flags & kColumnMoney) ? '$' : c->letter;
    buffer[1] = '\0';
    return 1;
  }
  if (size == 0) return 0;
  buffer[0] = '\0';
  if (c->cType == SQL_C_CHAR) {
    set->GetData(column, SQL_C_CHAR, buffer, size);
  } else if (c->cType == SQL_C_TIMESTAMP) {
    TIMESTAMP_STRUCT t = {};
    if (set->GetData(column, SQL_C_TIMESTAMP, &t, sizeof t)) {
      SYSTEMTIME st = FromTimestamp(t);
      char text[96] = "";
      int n = GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, &st, "yyyy.MM.dd", text, 40);
      size_t length = n > 0 ? static_cast<size_t>(n - 1) : 0;
      text[length++] = ' ';
      n = GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, TIME_FORCE24HOURFORMAT, &st, nullptr, text + length,
                         static_cast<int>(sizeof text - length));
      length += n > 0 ? static_cast<size_t>(n - 1) : 0;
      text[length] = '\0';
      size_t keep = length < static_cast<size_t>(size) ? length : static_cast<size_t>(size - 1);
      std::memcpy(buffer, text, keep);
      buffer[keep] = '\0';
    }
  }
  return static_cast<long>(strnlen(buffer, static_cast<size_t>(size)));
}
