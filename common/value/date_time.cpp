// Calendar routines and moments (seconds since 1980-01-01).
#include "date_time.h"

namespace {

const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days of the months before month (months past December count whole years'
// worth, never reading beyond the table).
int DaysBeforeMonth(int month) {
  int days = 0;
  for (int m = 1; m < month && m <= 12; ++m) days += kMonthDays[m - 1];
  return days;
}

}  // namespace

int32_t Today() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return MakeDate(st.wYear, st.wMonth, st.wDay);
}

int32_t DateDay(int32_t date) { return date % 100; }
int32_t DateMonth(int32_t date) { return date % 10000 / 100; }
int32_t DateYear(int32_t date) { return date / 10000; }

int32_t MakeDate(uint16_t year, uint16_t month, uint16_t day) {
  return year * 10000 + month * 100 + day;
}

int DaysInMonth(int month, int year) {
  if (month < 1 || month > 12) return 0;
  if (month == 2) return IsLeapYear(year) ? 29 : 28;
  return kMonthDays[month - 1];
}

int IsValidDate(int32_t date) {
  int year = DateYear(date), month = DateMonth(date), day = DateDay(date);
  return year != 0 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(month, year);
}

int DayOfWeek(int32_t date) {
  // Unsigned: the count stays right past 2048, where the moment turns negative.
  uint32_t moment = static_cast<uint32_t>(DateTimeToSeconds(date, 0));
  return static_cast<int>((moment / 86400 + 1) % 7);
}

int32_t DayCount(int32_t date) {
  int year = DateYear(date), month = DateMonth(date), day = DateDay(date);
  int y = year - 1;
  int32_t days = y * 365 + y / 4 - y / 100 + y / 400 + DaysBeforeMonth(month);
  if (month > 2 && IsLeapYear(year)) ++days;
  return days + day - 1;
}

int32_t NextDay(int32_t date) {
  if (!IsValidDate(date)) return date;
  int year = DateYear(date), month = DateMonth(date), day = DateDay(date);
  if (day < DaysInMonth(month, year)) return date + 1;
  if (month < 12) return year * 10000 + (month + 1) * 100 + 1;
  return (year + 1) * 10000 + 101;
}

int32_t PreviousDay(int32_t date) {
  if (!IsValidDate(date)) return date;
  int year = DateYear(date), month = DateMonth(date), day = DateDay(date);
  if (day > 1) return date - 1;
  if (month > 1) return year * 10000 + (month - 1) * 100 + DaysInMonth(month - 1, year);
  return (year - 1) * 10000 + 1231;
}

int32_t TimeNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return MakeTime(st.wHour, st.wMinute, st.wSecond);
}

int32_t MakeTime(int hour, int minute, int second) {
  return (hour * 60 + minute) * 60 + second;
}

int32_t TimeHour(int32_t time) { return time / 3600; }
int32_t TimeMinute(int32_t time) { return time / 60 % 60; }
int32_t TimeSecond(int32_t time) { return time % 60; }

uint32_t SystemTimeToSeconds(const SYSTEMTIME& st) {
  int y = st.wYear - 1980;
  if (y < 0) return 0;
  // Each four-year cycle opens with its leap year.
  uint32_t minutes = static_cast<uint32_t>(y / 4) * 2103840u +
                     static_cast<uint32_t>(y % 4) * 525600u;
  if (y % 4 != 0) minutes += 1440;
  uint32_t dayOfYear = DaysBeforeMonth(st.wMonth) + st.wDay - 1;
  if (st.wMonth > 2 && st.wYear % 4 == 0) ++dayOfYear;
  return (minutes + (dayOfYear * 24 + st.wHour) * 60 + st.wMinute) * 60 + st.wSecond;
}

void SecondsToSystemTime(int32_t s, SYSTEMTIME* st) {
  st->wSecond = static_cast<WORD>(s % 60);
  st->wMinute = static_cast<WORD>(s / 60 % 60);
  int32_t hours = s / 3600;
  int32_t year = 1980 + 4 * (hours / 35064);
  int32_t r = hours % 35064;
  if (r >= 8784) {  // past the 366-day first year of the cycle
    r -= 8784;
    year += 1 + r / 8760;
    r %= 8760;
  }
  st->wYear = static_cast<WORD>(year);
  st->wHour = static_cast<WORD>(r % 24);
  int32_t d = r / 24 + 1;
  int month = 1;
  if (year % 4 == 0 && d >= 60) {
    if (d == 60) {
      st->wMonth = 2;
      st->wDay = 29;
      st->wDayOfWeek = 0;
      st->wMilliseconds = 0;
      return;
    }
    --d;
  }
  while (month < 12 && d > kMonthDays[month - 1]) d -= kMonthDays[month++ - 1];
  st->wMonth = static_cast<WORD>(month);
  st->wDay = static_cast<WORD>(d);
  st->wDayOfWeek = 0;
  st->wMilliseconds = 0;
}

int32_t DateTimeToSeconds(int32_t date, int32_t time) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(DateYear(date));
  st.wMonth = static_cast<WORD>(DateMonth(date));
  st.wDay = static_cast<WORD>(DateDay(date));
  st.wHour = static_cast<WORD>(TimeHour(time));
  st.wMinute = static_cast<WORD>(TimeMinute(time));
  st.wSecond = static_cast<WORD>(TimeSecond(time));
  return static_cast<int32_t>(SystemTimeToSeconds(st));
}

void SecondsToDateTime(int32_t seconds, int32_t* date, int32_t* time) {
  SYSTEMTIME st;
  SecondsToSystemTime(seconds, &st);
  *date = MakeDate(st.wYear, st.wMonth, st.wDay);
  *time = MakeTime(st.wHour, st.wMinute, st.wSecond);
}
