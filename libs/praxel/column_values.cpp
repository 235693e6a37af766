#include "column_values.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "blank_helpers.h"
#include "date_time.h"
#include "record_set.h"
#include "variable.h"
#include "wennic.h"

namespace {

const int kNumberTextSize = 32;
enum : int { kTooLong = 126 };

// A number that does not fit its column: message 126, nothing stored.
int RefuseTooLong() {
  ERRBOX(GetFocus(), kTooLong, 0, nullptr);
  return 0;
}

// A text column's value by its letter.
void CharValue(RecordSet* set, unsigned long num, const Column& c, VARIABLE* v) {
  switch (c.letter) {
    case 'C': {
      std::vector<char> text(static_cast<size_t>(c.size) + 1, '\0');
      set->GetFieldText(num, text.data(), static_cast<long>(text.size()));
      *v = text.data();
      return;
    }
    case 'N':
    case 'F': {
      char text[kNumberTextSize] = "";
      set->GetFieldText(num, text, sizeof text);
      RemoveBlanks(text, sizeof text);
      if (c.flags & kColumnMoney) {
        MONEY m = 0;
        TextToMoney(text, &m);
        v->SetMoney(m);
      } else if (c.letter == 'N') {
        v->SetLong(std::atol(text));
      } else {
        v->SetReal(std::atof(text));
      }
      return;
    }
    case 'M': {
      FieldRequest size = {'S', 0, 0, nullptr};
      if (!set->FieldBuffer(num, &size)) return;
      v->TYPE(VAL_STRING);
      if (size.size == 0) {
        *v = "";
        return;
      }
      std::vector<char> text(size.size + 1, '\0');
      FieldRequest read = {'R', 'C', size.size + 1, text.data()};
      if (set->FieldBuffer(num, &read)) *v = text.data();
      else *v = "";
      return;
    }
    default:
      return;
  }
}

}  // namespace

VARIABLE* ColumnValue(RecordSet* set, unsigned long num) {
  VARIABLE* v = new (std::nothrow) VARIABLE;
  const Column* column = set->ColumnAt(num);
  if (!v || !column) return v;
  const Column& c = *column;
  unsigned char buffer[sizeof(SYSTEMTIME) + 16] = {};
  auto read = [&](uint32_t size) {
    FieldRequest request = {'R', 0, size, buffer};
    return set->FieldBuffer(num, &request) != 0;
  };
  switch (c.cType) {
    case SQL_C_CHAR:
      CharValue(set, num, c, v);
      break;
    case SQL_C_DOUBLE: {
      double x = 0;
      if (read(8)) std::memcpy(&x, buffer, 8);
      v->SetReal(c.decimals == 0 ? std::trunc(x) : x);
      break;
    }
    case SQL_C_TIMESTAMP: {
      SYSTEMTIME st = {};
      if (read(sizeof st)) std::memcpy(&st, buffer, sizeof st);
      int32_t date = st.wYear ? MakeDate(st.wYear, st.wMonth, st.wDay) : 0;
      if (c.letter == 'D') {
        v->SetLong(date);
      } else {
        v->TYPE(VAL_TIME);
        v->time.date = date;
        v->time.seconds = st.wYear ? MakeTime(st.wHour, st.wMinute, st.wSecond) : 0;
      }
      break;
    }
    case SQL_C_SLONG: {
      SDWORD n = 0;
      if (read(4)) std::memcpy(&n, buffer, 4);
      v->SetLong(n);
      break;
    }
    case SQL_C_GUID:
      v->TYPE(VAL_GUID);
      if (read(16)) std::memcpy(&v->guid, buffer, 16);
      break;
    case SQL_C_BIT: {
      uint32_t bit = 0;
      if (read(4)) std::memcpy(&bit, buffer, 4);
      v->SetBool(bit ? 1 : 0);
      break;
    }
    case SQL_C_BINARY: {
      v->TYPE(VAL_IMAGE);
      if (c.letter == 'B') {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(c.size));
        char* p = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
        if (!p) break;
        long bytes = set->GetFieldText(num, p, c.size);
        GlobalUnlock(block);
        v->image.handle = block;
        v->image.size = static_cast<uint32_t>(bytes & 0xFFFF);
      } else {
        FieldRequest request = {'R', 'I', 0, nullptr};
        if (set->FieldBuffer(num, &request)) {
          v->image.handle = static_cast<HGLOBAL>(request.data);
          v->image.size = request.data ? request.size : 0;
        }
      }
      break;
    }
    default:
      break;
  }
  return v;
}

int PutColumnValue(RecordSet* set, unsigned long num, const VARIABLE* value) {
  const Column* column = set->ColumnAt(num);
  if (!column || !value) return 0;
  const Column& c = *column;
  char text[kNumberTextSize + 8] = "";
  auto putText = [&](const char* t) {
    return set->PutFieldText(num, t, t ? static_cast<long>(std::strlen(t)) : 0);
  };
  auto write = [&](const void* data, uint32_t size) {
    FieldRequest request = {'W', 0, size, const_cast<void*>(data)};
    return set->FieldBuffer(num, &request);
  };
  switch (c.cType) {
    case SQL_C_CHAR:
      switch (value->type) {
        case VAL_LONG:
          std::snprintf(text, sizeof text, "%ld", static_cast<long>(value->lng));
          return putText(text);
        case VAL_REAL: {
          // Rounded to the column's decimals and stored whole, or refused.
          int length = std::snprintf(text, sizeof text, "%.*f", static_cast<int>(c.decimals), value->real);
          if (length < 0 || length >= c.size || length >= static_cast<int>(sizeof text))
            return RefuseTooLong();
          return putText(text);
        }
        case VAL_MONEY:
          MoneyToText(text, value->money);
          return putText(text);
        case VAL_STRING:
          if (c.letter == 'M') {
            // The text without its terminating zero: a text column takes no NUL.
            const char* t = value->text ? value->text : "";
            FieldRequest request = {'W', 'M', static_cast<uint32_t>(std::strlen(t)),
                                    const_cast<char*>(t)};
            return set->FieldBuffer(num, &request);
          }
          return putText(value->text);
        default:
          return 0;
      }
    case SQL_C_DOUBLE:
      if (value->type == VAL_LONG || value->type == VAL_REAL) {
        double x = value->type == VAL_LONG ? value->lng : value->real;
        return write(&x, 8);
      }
      return value->type == VAL_STRING ? putText(value->text) : 0;
    case SQL_C_TIMESTAMP: {
      SYSTEMTIME st = {};
      if (value->type == VAL_LONG) {
        if (value->lng > 19000000) {
          st.wYear = static_cast<WORD>(DateYear(value->lng));
          st.wMonth = static_cast<WORD>(DateMonth(value->lng));
          st.wDay = static_cast<WORD>(DateDay(value->lng));
        }
        return write(&st, sizeof st);  // year 0: NULL
      }
      if (value->type == VAL_TIME) {
        if (value->time.date || value->time.seconds) {
          st.wYear = static_cast<WORD>(DateYear(value->time.date));
          st.wMonth = static_cast<WORD>(DateMonth(value->time.date));
          st.wDay = static_cast<WORD>(DateDay(value->time.date));
          st.wHour = static_cast<WORD>(TimeHour(value->time.seconds));
          st.wMinute = static_cast<WORD>(TimeMinute(value->time.seconds));
          st.wSecond = static_cast<WORD>(TimeSecond(value->time.seconds));
        }
        return write(&st, sizeof st);
      }
      return value->type == VAL_STRING ? putText(value->text) : 0;
    }
    case SQL_C_SLONG: {
      int32_t n;
      switch (value->type) {
        case VAL_LONG: n = value->lng; break;
        case VAL_REAL: {
          double whole = std::round(value->real);
          if (!(whole >= INT32_MIN && whole <= INT32_MAX)) return RefuseTooLong();
          n = static_cast<int32_t>(whole);
          break;
        }
        case VAL_BOOL: n = value->lng ? 1 : 0; break;
        case VAL_STRING: return putText(value->text);
        default: return 0;
      }
      return write(&n, 4);
    }
    case SQL_C_GUID:
      if (value->type == VAL_GUID) return write(&value->guid, 16);
      return value->type == VAL_STRING ? putText(value->text) : 0;
    case SQL_C_BIT: {
      uint32_t bit;
      if (value->type == VAL_LONG) bit = value->lng ? 1 : 0;
      else if (value->type == VAL_BOOL) bit = (value->lng & 0xFF) ? 1 : 0;
      else return 0;
      return write(&bit, 4);
    }
    case SQL_C_BINARY: {
      if (value->type != VAL_IMAGE) return 0;
      if (c.letter == 'B') {
        const char* bytes = value->image.handle
                                ? static_cast<const char*>(GlobalLock(value->image.handle))
                                : nullptr;
        int ok = set->PutFieldText(num, bytes, static_cast<long>(value->image.size));
        if (bytes) GlobalUnlock(value->image.handle);
        return ok;
      }
      FieldRequest request = {'W', 'I', value->image.size, value->image.handle};
      return set->FieldBuffer(num, &request);
    }
    default:
      return 0;
  }
}
