// LOTRIX: date and time parts named by keyword, date arithmetic by part.
#include <cstdint>

#include "date_arithmetic.h"
#include "date_time.h"
#include "library_frame.h"

// YEAR, MONTH or DAY of the date as unsigned 16-bit numbers; other words 0.
KORVEX_EXPORT long WINAPI DATEPART(const char* part, long date) {
  switch (DatePartOf(part)) {
    case kPartYear: return static_cast<uint16_t>(DateYear(date));
    case kPartMonth: return static_cast<uint16_t>(DateMonth(date));
    case kPartDay: return static_cast<uint16_t>(DateDay(date));
    default: return 0;
  }
}

// HOUR, MINUTE or SECOND of the time as unsigned 16-bit numbers; other
// words -1.
KORVEX_EXPORT long WINAPI TIMEPART(const char* part, long time) {
  switch (DatePartOf(part)) {
    case kPartHour: return static_cast<uint16_t>(TimeHour(time));
    case kPartMinute: return static_cast<uint16_t>(TimeMinute(time));
    case kPartSecond: return static_cast<uint16_t>(TimeSecond(time));
    default: return -1;
  }
}

KORVEX_EXPORT long WINAPI DATEADD(const char* part, long count, long date) {
  return DateAdd(DatePartOf(part), count, date);
}

KORVEX_EXPORT long WINAPI DATEDIFF(const char* part, long date1, long date2) {
  return DateDiff(DatePartOf(part), date1, date2);
}
