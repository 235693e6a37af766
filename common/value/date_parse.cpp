// Readers of date and time texts. A separator is skipped only when there is
// one: the end of the text ends every reading.
#include "date_time.h"

namespace {

int IsDigit(char c) { return c >= '0' && c <= '9'; }

void SkipSeparator(const char** p) {
  if (**p) ++*p;
}

struct DateFields {
  int day, month, year;
};

// Reads up to three numbers in the locale's date order; a missing number or
// a 0 ends the reading.
DateFields ReadDateFields(const char* text) {
  char order[kDateOrderSize];
  GetDateOrder(order);
  DateFields f = {0, 0, 0};
  const char* p = text;
  for (int i = 0; i < 3; ++i) {
    int n = ReadNumber(&p);
    if (n == 0) break;
    if (order[i] == 'D')
      f.day = n;
    else if (order[i] == 'M')
      f.month = n;
    else
      f.year = n;
    SkipSeparator(&p);
  }
  if (f.year < 100) f.year += f.year >= 51 ? 1900 : 2000;
  return f;
}

int IsValidFields(const DateFields& f) {
  return f.day >= 1 && f.day <= 31 && f.month >= 1 && f.month <= 12 && f.year >= 1001;
}

struct TimeFields {
  int hour, minute, second;
};

// hour[sep minute[sep second]]; strict demands ':' after the hour.
int ReadTimeFields(const char* text, bool strict, TimeFields* t) {
  *t = TimeFields{0, 0, 0};
  const char* p = text;
  if (!IsDigit(*p)) return 0;
  t->hour = ReadNumber(&p);
  if (strict && *p != ':') return 0;
  SkipSeparator(&p);
  t->minute = ReadNumber(&p);
  SkipSeparator(&p);
  t->second = ReadNumber(&p);
  return t->hour <= 24 && t->minute < 60 && t->second < 60;
}

// Reads count digits at text + offset into *out; 0 when one is no digit.
int ReadDigits(const char* text, int offset, int count, int* out) {
  int value = 0;
  for (int i = offset; i < offset + count; ++i) {
    if (!IsDigit(text[i])) return 0;
    value = value * 10 + (text[i] - '0');
  }
  *out = value;
  return 1;
}

// The compact date ends at the blank before a time of day.
int FieldLength(const char* text, int limit) {
  int n = 0;
  while (n < limit && text[n] && text[n] != ' ') ++n;
  return n;
}

}  // namespace

uint16_t ReadNumber(const char** text) {
  uint16_t value = 0;
  const char* p = *text;
  while (IsDigit(*p)) value = static_cast<uint16_t>(value * 10 + (*p++ - '0'));
  *text = p;
  return value;
}

int32_t ParseDate(const char* text) {
  DateFields f = ReadDateFields(text);
  if (f.day == 0 && f.month == 0) return 0;
  if (!IsValidFields(f)) return 0;
  return f.year * 10000 + f.month * 100 + f.day;
}

int ParseDateFields(const char* text, SYSTEMTIME* st) {
  *st = SYSTEMTIME{};
  if (!*text) return 1;
  DateFields f = ReadDateFields(text);
  if (!IsValidFields(f)) return 0;
  st->wYear = static_cast<WORD>(f.year);
  st->wMonth = static_cast<WORD>(f.month);
  st->wDay = static_cast<WORD>(f.day);
  return 1;
}

int32_t ParseCompactDate(const char* text) {
  int length = FieldLength(text, 8);
  int year = 0, month = 1, day = 1;
  if (length < 4 || !ReadDigits(text, 0, 4, &year)) return 0;
  if (length >= 6 && !ReadDigits(text, 4, 2, &month)) return 0;
  if (length >= 8 && !ReadDigits(text, 6, 2, &day)) return 0;
  int32_t date = year * 10000 + month * 100 + day;
  return IsValidDate(date) ? date : 0;
}

int32_t ParseTime(const char* text) {
  TimeFields t;
  if (!ReadTimeFields(text, true, &t)) return 0;
  return MakeTime(t.hour, t.minute, t.second);
}

int32_t ParseTimeLoose(const char* text) {
  TimeFields t;
  if (!ReadTimeFields(text, false, &t)) return 0;
  return MakeTime(t.hour, t.minute, t.second);
}

int ParseTimeFields(const char* text, SYSTEMTIME* st) {
  *st = SYSTEMTIME{};
  TimeFields t;
  if (!ReadTimeFields(text, true, &t)) return 0;
  st->wHour = static_cast<WORD>(t.hour);
  st->wMinute = static_cast<WORD>(t.minute);
  st->wSecond = static_cast<WORD>(t.second);
  return 1;
}
