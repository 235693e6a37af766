// LOTRIX: the calendar routines for scripts. Every argument and result is
// one 32-bit word; parts come back as unsigned 16-bit numbers.
#include <cstdint>

#include "date_time.h"
#include "library_frame.h"

namespace {
long Part(int32_t value) { return static_cast<uint16_t>(value); }
}  // namespace

KORVEX_EXPORT long WINAPI NOW() { return Today(); }
KORVEX_EXPORT long WINAPI DAY(long date) { return Part(DateDay(date)); }
KORVEX_EXPORT long WINAPI MONTH(long date) { return Part(DateMonth(date)); }
KORVEX_EXPORT long WINAPI YEAR(long date) { return Part(DateYear(date)); }
KORVEX_EXPORT long WINAPI DAYCOUNT(long date) { return DayCount(date); }
KORVEX_EXPORT long WINAPI INCDATE(long date) { return NextDay(date); }
KORVEX_EXPORT long WINAPI DECDATE(long date) { return PreviousDay(date); }
KORVEX_EXPORT long WINAPI DAYOFWEEK(long date) { return Part(DayOfWeek(date)); }
KORVEX_EXPORT BOOL WINAPI VALIDDATE(long date) { return IsValidDate(date); }

KORVEX_EXPORT long WINAPI SECONDS(long date, long time) { return DateTimeToSeconds(date, time); }

KORVEX_EXPORT long WINAPI DATEFROMSEC(long seconds) {
  int32_t date = 0, time = 0;
  SecondsToDateTime(seconds, &date, &time);
  return date;
}

KORVEX_EXPORT long WINAPI TIMEFROMSEC(long seconds) {
  int32_t date = 0, time = 0;
  SecondsToDateTime(seconds, &date, &time);
  return time;
}

KORVEX_EXPORT long WINAPI HOUR(long time) { return Part(TimeHour(time)); }
KORVEX_EXPORT long WINAPI MINUTE(long time) { return Part(TimeMinute(time)); }
KORVEX_EXPORT long WINAPI SECOND(long time) { return Part(TimeSecond(time)); }
