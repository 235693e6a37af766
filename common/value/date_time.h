// Dates, times of day and moments as plain integers.
//   date number: year*10000 + month*100 + day (20240817), 0 is no date;
//   time number: seconds since midnight (86400 is accepted as 24:00:00);
//   moment:      seconds since 1980-01-01 00:00:00 local time, counted with
//                every fourth year a leap year; made as an unsigned number
//                and read back signed, so it reaches 2048-01-19 03:14:07.
// Texts use the system locale (LOCALE_SYSTEM_DEFAULT).
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Room for any text these routines write (at most 31 characters).
const size_t kDateTextSize = 32;
// The date order: three letters of Y, M, D, the separator, ':' and a zero.
const size_t kDateOrderSize = 6;

// Calendar.
int32_t Today();
int32_t DateDay(int32_t date);
int32_t DateMonth(int32_t date);
int32_t DateYear(int32_t date);
int32_t MakeDate(uint16_t year, uint16_t month, uint16_t day);
// Gregorian rule; a month outside 1-12 has 0 days.
int DaysInMonth(int month, int year);
int IsValidDate(int32_t date);
// 0 Monday .. 6 Sunday; a date before 1980 gives 1 (1980-01-01, a Tuesday).
int DayOfWeek(int32_t date);
// Days since 0001-01-01 (Gregorian).
int32_t DayCount(int32_t date);
// An invalid date is returned unchanged.
int32_t NextDay(int32_t date);
int32_t PreviousDay(int32_t date);

int32_t TimeNow();
int32_t MakeTime(int hour, int minute, int second);
int32_t TimeHour(int32_t time);
int32_t TimeMinute(int32_t time);
int32_t TimeSecond(int32_t time);

// Moments. A date before 1980 gives 0.
uint32_t SystemTimeToSeconds(const SYSTEMTIME& st);
void SecondsToSystemTime(int32_t seconds, SYSTEMTIME* st);
int32_t DateTimeToSeconds(int32_t date, int32_t time);
void SecondsToDateTime(int32_t seconds, int32_t* date, int32_t* time);

// Texts: each writes into buffer (capacity bytes, at least 1) and returns a
// pointer to the terminating zero it wrote. When the locale call refuses a
// value, the fixed pictures are formatted by hand and any other text is
// left empty.
char* GetDateOrder(char* buffer);  // kDateOrderSize bytes
char* GetDatePicture(char* buffer, size_t capacity = kDateTextSize);
char* TodayText(char* buffer, size_t capacity = kDateTextSize);
// picture null: the short-date format; date 0 gives "00.00.00".
char* DateToText(int32_t date, char* buffer, const char* picture,
                 size_t capacity = kDateTextSize);
char* NowText(char* buffer, size_t capacity = kDateTextSize);
char* NowShortText(char* buffer, size_t capacity = kDateTextSize);
char* TimeToText(int32_t time, char* buffer, size_t capacity = kDateTextSize);
char* TimeToShortText(int32_t time, char* buffer, size_t capacity = kDateTextSize);
// The text form of a TIME value: "yyyy.MM.dd HH:mm:ss".
char* DateTimeToText(int32_t date, int32_t time, char* buffer,
                     size_t capacity = kDateTextSize);

// Parsers. None reads past the end of its text.
// Decimal digits accumulated in 16 bits; the pointer is moved past them.
uint16_t ReadNumber(const char** text);
// Up to three numbers in the locale's date order, each followed by one
// separator of any kind; two-digit years: 51-99 are 19xx, 0-50 are 20xx.
int32_t ParseDate(const char* text);
int ParseDateFields(const char* text, SYSTEMTIME* st);
// "yyyy", "yyyymm" or "yyyymmdd" (more characters are ignored).
int32_t ParseCompactDate(const char* text);
// hour:minute[:second], the ':' after the hour required.
int32_t ParseTime(const char* text);
// hour[:minute[:second]], missing parts 0.
int32_t ParseTimeLoose(const char* text);
int ParseTimeFields(const char* text, SYSTEMTIME* st);
