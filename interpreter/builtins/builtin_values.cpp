// Dates and times, choosing and making values.
#include <windows.h>
#include <objbase.h>

#include <cstring>

#include "builtin_entries.h"
#include "date_time.h"

namespace {

// Room of DATE's texts: 11 characters in the short format, 31 by picture.
const size_t kShortDateRoom = 11 + 1;
const size_t kPictureDateRoom = 31 + 1;

bool SetDateText(BuiltinFrame& f, int32_t date, const char* picture) {
  char text[kPictureDateRoom];
  DateToText(date, text, picture, picture ? kPictureDateRoom : kShortDateRoom);
  return f.SetText(text);
}

bool SetTimeText(BuiltinFrame& f, int32_t time) {
  char text[kDateTextSize];
  TimeToText(time, text, sizeof text);
  return f.SetText(text);
}

}  // namespace

bool RunDate(BuiltinFrame& f) {
  const char* picture = nullptr;
  if (f.Count() == 2 && !f.PopText(picture)) return false;
  VARIABLE* x = f.Pop();
  if (!x) return false;
  switch (x->type) {
    case VAL_LONG:
      if (x->lng == -1) {
        f.Result().SetLong(Today());
        return true;
      }
      return SetDateText(f, x->lng, picture);
    case VAL_TIME: return SetDateText(f, x->time.date, picture);
    case VAL_STRING: f.Result().SetLong(ParseDate(TextOf(*x))); return true;
    default: return f.Fail(kBuiltinBadType);
  }
}

bool RunTime(BuiltinFrame& f) {
  VARIABLE* x = f.Pop();
  if (!x) return false;
  switch (x->type) {
    case VAL_LONG:
      if (x->lng == -1) {
        f.Result().SetLong(TimeNow());
        return true;
      }
      return SetTimeText(f, x->lng);
    case VAL_TIME: return SetTimeText(f, x->time.seconds);
    case VAL_STRING: f.Result().SetLong(ParseTime(TextOf(*x))); return true;
    default: return f.Fail(kBuiltinBadType);
  }
}

bool RunNow(BuiltinFrame& f) {
  if (!f.Pop()) return false;  // the argument only fills the call
  SYSTEMTIME st;
  GetLocalTime(&st);
  VARIABLE& r = f.Result();
  r.TYPE(VAL_TIME);
  r.time.date = st.wYear * 10000 + st.wMonth * 100 + st.wDay;
  r.time.seconds = (st.wHour * 60 + st.wMinute) * 60 + st.wSecond;
  return true;
}

bool RunIif(BuiltinFrame& f) {
  VARIABLE* b = f.Pop();
  VARIABLE* a = b ? f.Pop() : nullptr;
  if (!a) return false;
  VARIABLE* condition = f.Pop(VAL_BOOL);
  if (!condition) return false;
  VARIABLE::Error = 0;
  f.Result().Assign(condition->lng != 0 ? *a : *b);
  return f.CheckValueError();
}

bool RunGuid(BuiltinFrame& f) {
  VARIABLE* x = f.Pop();
  if (!x) return false;
  VARIABLE& r = f.Result();
  switch (x->type) {
    case VAL_LONG:
      r.TYPE(VAL_GUID);
      if (x->lng != 0 && CoCreateGuid(&r.guid) != S_OK) std::memset(&r.guid, 0, sizeof r.guid);
      return true;
    case VAL_GUID: r.TYPE(VAL_STRING); break;
    case VAL_STRING: r.TYPE(VAL_GUID); break;
    default: return f.Fail(kBuiltinBadType);
  }
  VARIABLE::Error = 0;
  r.ConvertFrom(*x);
  return f.CheckValueError();
}

bool RunImage(BuiltinFrame& f) {
  int32_t n;
  if (!f.PopLong(n)) return false;
  // A negative size asks for more than the address space: 115.
  if (n < 0) return f.Fail(kBuiltinNoMemory);
  VARIABLE& r = f.Result();
  r.TYPE(VAL_IMAGE);
  VARIABLE::Error = 0;
  if (!r.Allocate(static_cast<unsigned long>(n))) return f.Fail(kBuiltinNoMemory);
  return true;
}

bool RunSize(BuiltinFrame& f) {
  VARIABLE* p = f.Pop(VAL_POINTER);
  if (!p) return false;
  // A POINTER that points nowhere has nothing to measure.
  f.Result().SetLong(p->target ? static_cast<int32_t>(p->target->Size()) : 0);
  return true;
}
