// Date arithmetic by part: the part keywords and moving a date or taking the
// difference of two dates in those parts. Dates are date numbers
// (year*10000 + month*100 + day), moments seconds since 1980 (date_time.h).
#pragma once
#include <cstdint>

enum DatePart {
  kPartNone = 0,
  kPartYear = 1,
  kPartMonth,
  kPartDay,
  kPartWeek,
  kPartHour,
  kPartMinute,
  kPartSecond,
};

// The keyword's number in YEAR MONTH DAY WEEK HOUR MINUTE SECOND, any case;
// kPartNone for any other word and for a missing one.
int DatePartOf(const char* keyword);

// `date` moved by `count` parts: YEAR and MONTH change the date number's
// fields (the day is kept, even where the month lacks it); DAY to MINUTE
// move the moment of the date at 00:00 and give the new moment's date.
// A result outside the date number's range or the moment range gives 0,
// and so do SECOND and kPartNone.
int32_t DateAdd(int part, int32_t count, int32_t date);

// date1 minus date2 in parts (DAY and WEEK truncated toward zero, dates
// before 1980 taken as its first day); 0 for any other part.
int32_t DateDiff(int part, int32_t date1, int32_t date2);
