#include "date_arithmetic.h"

#include "date_time.h"
#include "keyword_list.h"

namespace {

const char kPartKeywords[] = "YEAR\0MONTH\0DAY\0WEEK\0HOUR\0MINUTE\0SECOND\0";
const int64_t kLastMoment = INT32_MAX;  // 2048-01-19 03:14:07
// The last date whose midnight is a moment; later dates have no moment.
const int32_t kLastMomentDate = 20480119;

int64_t SecondsOfPart(int part) {
  switch (part) {
    case kPartDay: return 86400;
    case kPartWeek: return 7 * 86400;
    case kPartHour: return 3600;
    case kPartMinute: return 60;
    default: return 0;
  }
}

int32_t DateNumberOrZero(int64_t date) {
  return date < INT32_MIN || date > INT32_MAX ? 0 : static_cast<int32_t>(date);
}

// The moment of the date at 00:00; 0 for dates before 1980. Taken unsigned,
// as it is made: read back signed, dates after 2048-01-19 would count as
// before 1980 and their differences would come out negative.
int64_t MidnightMoment(int32_t date) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(DateYear(date));
  st.wMonth = static_cast<WORD>(DateMonth(date));
  st.wDay = static_cast<WORD>(DateDay(date));
  return SystemTimeToSeconds(st);
}

}  // namespace

int DatePartOf(const char* keyword) {
  return keyword ? KeywordIndex(kPartKeywords, keyword) : kPartNone;
}

int32_t DateAdd(int part, int32_t count, int32_t date) {
  // 64 bits throughout: the whole count is used and nothing wraps.
  int64_t year = DateYear(date), month = DateMonth(date), day = DateDay(date);
  switch (part) {
    case kPartYear:
      return DateNumberOrZero(date + int64_t{count} * 10000);
    case kPartMonth: {
      int64_t a = month + count;
      if (a <= 0) {
        year -= (12 - a) / 12;
        month = 12 - (12 - a) % 12;
      } else if (a > 12) {
        int64_t whole = (a - 1) / 12;
        year += whole;
        month = a - 12 * whole;
      } else {
        month = a;
      }
      return DateNumberOrZero(year * 10000 + month * 100 + day);
    }
    case kPartDay:
    case kPartWeek:
    case kPartHour:
    case kPartMinute: {
      if (date > kLastMomentDate) return 0;
      int64_t moment = MidnightMoment(date) + int64_t{count} * SecondsOfPart(part);
      if (moment < 0 || moment > kLastMoment) return 0;
      int32_t newDate = 0, time = 0;
      SecondsToDateTime(static_cast<int32_t>(moment), &newDate, &time);
      return newDate;
    }
    default:
      return 0;
  }
}

int32_t DateDiff(int part, int32_t date1, int32_t date2) {
  switch (part) {
    case kPartYear:
      return DateYear(date1) - DateYear(date2);
    case kPartMonth:
      return (DateYear(date1) * 12 + DateMonth(date1)) - (DateYear(date2) * 12 + DateMonth(date2));
    case kPartDay:
    case kPartWeek:
      return static_cast<int32_t>((MidnightMoment(date1) - MidnightMoment(date2)) /
                                  SecondsOfPart(part));
    default:
      return 0;
  }
}
