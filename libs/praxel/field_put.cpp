// Texts converted into the edit buffer (PutFieldText).
#include <objbase.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "date_time.h"
#include "odbc_helpers.h"
#include "record_set.h"

BOOL RecordSet::PutFieldTextByName(const char* name, const char* text, long length) {
  long column = FieldIndex(name);
  return column ? PutFieldText(column, text, length) : FALSE;
}

BOOL RecordSet::PutFieldText(unsigned long column, const char* text, long length) {
  Column* c = ColumnRecord(column);
  if (!c || length < 0 || c->IsLongData() || !currentRow_) return FALSE;
  unsigned char* data = CurrentData(*c);
  SDWORD* indicator = CurrentIndicator(*c);
  // The text as given: length bytes at most, up to its zero.
  std::string value = text ? std::string(text, strnlen(text, static_cast<size_t>(length))) : "";
  switch (c->cType) {
    case SQL_C_SLONG: {
      SDWORD n = std::atol(value.c_str());
      std::memcpy(data, &n, sizeof n);
      *indicator = sizeof n;
      break;
    }
    case SQL_C_GUID: {
      GUID guid = {};
      if (text) {
        WCHAR wide[64] = L"";
        MultiByteToWideChar(CP_ACP, 0, value.c_str(), -1, wide, 63);
        if (FAILED(CLSIDFromString(wide, &guid))) return FALSE;
      }
      std::memcpy(data, &guid, sizeof guid);
      *indicator = text ? static_cast<SDWORD>(sizeof guid) : SQL_NULL_DATA;
      break;
    }
    case SQL_C_BINARY: {
      if (c->letter != 'B') return FALSE;
      std::memset(data, 0, static_cast<size_t>(c->size));
      long bytes = length < c->size ? length : c->size;
      if (text) std::memcpy(data, text, static_cast<size_t>(bytes));
      *indicator = text ? bytes : 0;
      break;
    }
    case SQL_C_CHAR: {
      std::memset(data, 0, static_cast<size_t>(c->size));
      if (!text) {
        *indicator = SQL_NULL_DATA;
        break;
      }
      size_t keep = value.size() < static_cast<size_t>(c->size - 1) ? value.size()
                                                                    : static_cast<size_t>(c->size - 1);
      std::memcpy(data, value.data(), keep);
      *indicator = SQL_NTS;
      break;
    }
    case SQL_C_DOUBLE: {
      double x = std::atof(value.c_str());
      std::memcpy(data, &x, sizeof x);
      *indicator = sizeof x;
      break;
    }
    case SQL_C_TIMESTAMP: {
      SYSTEMTIME date = {}, time = {};
      if (!ParseDateFields(value.c_str(), &date)) return FALSE;
      size_t blank = value.find(' ');
      if (c->letter == 'T' && blank != std::string::npos &&
          !ParseTimeFields(value.c_str() + blank + 1, &time))
        return FALSE;
      date.wHour = time.wHour, date.wMinute = time.wMinute, date.wSecond = time.wSecond;
      TIMESTAMP_STRUCT t = ToTimestamp(date);
      std::memcpy(data, &t, sizeof t);
      *indicator = date.wYear ? static_cast<SDWORD>(sizeof t) : SQL_NULL_DATA;  // no date: NULL
      break;
    }
    default:
      return FALSE;
  }
  c->flags |= kColumnModified;
  return TRUE;
}
