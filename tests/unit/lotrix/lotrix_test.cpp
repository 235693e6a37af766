// LOTRIX as the binder calls it: LONG words in, one LONG word out; PART
// keywords as text pointers (a null pointer for a NULL or 0 argument).
#include <gtest/gtest.h>

#include <climits>

#include "library_call.h"

namespace {

const LibraryCall lotrix("LOTRIX");

uint32_t W(int32_t n) { return static_cast<uint32_t>(n); }

int32_t Call(const char* name, int32_t a) { return static_cast<int32_t>(lotrix(name, {W(a)})); }
int32_t Call(const char* name, int32_t a, int32_t b) {
  return static_cast<int32_t>(lotrix(name, {W(a), W(b)}));
}
int32_t Parted(const char* name, const char* part, int32_t a) {
  return static_cast<int32_t>(lotrix(name, {Word(part), W(a)}));
}
int32_t Parted(const char* name, const char* part, int32_t a, int32_t b) {
  return static_cast<int32_t>(lotrix(name, {Word(part), W(a), W(b)}));
}
int32_t DateAdd(const char* part, int32_t count, int32_t date) {
  return Parted("DATEADD", part, count, date);
}
int32_t DateDiff(const char* part, int32_t date1, int32_t date2) {
  return Parted("DATEDIFF", part, date1, date2);
}

// The calendar routines themselves are the value library's; these check the
// exports' wiring and the moment range at its ends.
TEST(Lotrix, CalendarFunctions) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(now.wYear * 10000 + now.wMonth * 100 + now.wDay, static_cast<int32_t>(lotrix("NOW")));
  EXPECT_EQ(17, Call("DAY", 20240817));
  EXPECT_EQ(8, Call("MONTH", 20240817));
  EXPECT_EQ(2024, Call("YEAR", 20240817));
  EXPECT_EQ(2, Call("DAYCOUNT", 20240301) - Call("DAYCOUNT", 20240228));
  EXPECT_EQ(20240229, Call("INCDATE", 20240228));
  EXPECT_EQ(20240229, Call("DECDATE", 20240301));
  EXPECT_EQ(5, Call("DAYOFWEEK", 20240817));  // Saturday
  EXPECT_EQ(0, Call("VALIDDATE", 19000229));
  EXPECT_EQ(90000, Call("SECONDS", 19800102, 3600));
  EXPECT_EQ(20480119, Call("DATEFROMSEC", INT_MAX));
  EXPECT_EQ(3 * 3600 + 14 * 60 + 7, Call("TIMEFROMSEC", INT_MAX));
  EXPECT_EQ(2, Call("HOUR", 9000));
  EXPECT_EQ(30, Call("MINUTE", 9000));
  EXPECT_EQ(59, Call("SECOND", 9059));
  lotrix("RELEASE", {0});  // exported for the frame; a null record does nothing
}

TEST(Lotrix, PartsComeBackAsUnsignedSixteenBitNumbers) {
  EXPECT_EQ(65535, Call("DAY", -1));
  EXPECT_EQ(70000 - 65536, Call("YEAR", 700000101));
  EXPECT_EQ(65535, Call("HOUR", -3600));
  EXPECT_EQ(70000 - 65536, Parted("DATEPART", "YEAR", 700000101));
  EXPECT_EQ(65535, Parted("TIMEPART", "SECOND", -1));
}

TEST(Lotrix, DatePartAndTimePartByKeyword) {
  EXPECT_EQ(2024, Parted("DATEPART", "YEAR", 20240817));
  EXPECT_EQ(8, Parted("DATEPART", "month", 20240817));
  EXPECT_EQ(17, Parted("DATEPART", "Day", 20240817));
  EXPECT_EQ(0, Parted("DATEPART", "HOUR", 20240101));
  EXPECT_EQ(1, Parted("TIMEPART", "HOUR", 3723));
  EXPECT_EQ(2, Parted("TIMEPART", "minute", 3723));
  EXPECT_EQ(3, Parted("TIMEPART", "SECOND", 3723));
  EXPECT_EQ(-1, Parted("TIMEPART", "DAY", 3600));
  EXPECT_EQ(-1, Parted("TIMEPART", "HOURS", 3600));
  // A NULL or 0 argument arrives as a null text: no keyword.
  EXPECT_EQ(0, Parted("DATEPART", nullptr, 20240101));
  EXPECT_EQ(-1, Parted("TIMEPART", nullptr, 3600));
  EXPECT_EQ(0, DateAdd(nullptr, 1, 20240101));
  EXPECT_EQ(0, DateDiff(nullptr, 20240101, 20230101));
}

TEST(Lotrix, DateAddByYearAndMonthKeepsTheDay) {
  EXPECT_EQ(20250229, DateAdd("YEAR", 1, 20240229));
  EXPECT_EQ(19710101, DateAdd("YEAR", 1, 19700101));
  EXPECT_EQ(20231215, DateAdd("MONTH", -1, 20240115));
  EXPECT_EQ(20250115, DateAdd("MONTH", 12, 20240115));
  EXPECT_EQ(20250231, DateAdd("month", 13, 20240131));
  EXPECT_EQ(20221215, DateAdd("MONTH", -25, 20250115));
  EXPECT_EQ(20240101, DateAdd("MONTH", -11, 20241201));
  // The whole count, in 64 bits: a date number beyond 32 bits gives 0.
  EXPECT_EQ(0, DateAdd("YEAR", INT_MAX, 20240101));
  EXPECT_EQ(0, DateAdd("MONTH", INT_MIN, 20240115));
  EXPECT_EQ(20240115 + 100000 * 10000, DateAdd("MONTH", 1200000, 20240115));
}

TEST(Lotrix, DateAddByDayToMinuteMovesTheMoment) {
  EXPECT_EQ(20240229, DateAdd("DAY", 1, 20240228));
  EXPECT_EQ(20231229, DateAdd("WEEK", -1, 20240105));
  EXPECT_EQ(20240104, DateAdd("HOUR", -1, 20240105));
  EXPECT_EQ(20240105, DateAdd("MINUTE", 1439, 20240105));
  EXPECT_EQ(0, DateAdd("SECOND", 5, 20240105));
  EXPECT_EQ(19800102, DateAdd("DAY", 1, 19700101));  // from the first moment
  // Counts beyond 16 bits are used whole.
  EXPECT_EQ(20240215, DateAdd("MINUTE", 65536, 20240101));
  EXPECT_EQ(20110529, DateAdd("HOUR", 100000, 20000101));
  // Results outside 1980-01-01 00:00:00 .. 2048-01-19 03:14:07 give 0.
  EXPECT_EQ(0, DateAdd("DAY", -1, 19800101));
  EXPECT_EQ(0, DateAdd("DAY", -70000, 20240101));
  EXPECT_EQ(0, DateAdd("HOUR", INT_MIN, 20240101));
  EXPECT_EQ(0, DateAdd("DAY", INT_MAX, 20240101));
  EXPECT_EQ(20480119, DateAdd("DAY", 1, 20480118));
  EXPECT_EQ(20480119, DateAdd("MINUTE", 194, 20480119));
  EXPECT_EQ(0, DateAdd("MINUTE", 195, 20480119));
  EXPECT_EQ(0, DateAdd("DAY", 1, 20480119));
  // A date past the range has no moment to move.
  EXPECT_EQ(0, DateAdd("DAY", 30000, 20500101));
  EXPECT_EQ(0, DateAdd("DAY", -1, 20480120));
}

TEST(Lotrix, DateDiffByPart) {
  EXPECT_EQ(2, DateDiff("DAY", 20240301, 20240228));
  EXPECT_EQ(-2, DateDiff("day", 20240228, 20240301));
  EXPECT_EQ(-1, DateDiff("WEEK", 20240101, 20240114));
  EXPECT_EQ(2, DateDiff("WEEK", 20240115, 20240101));
  EXPECT_EQ(1, DateDiff("MONTH", 20240101, 20231231));
  EXPECT_EQ(1, DateDiff("YEAR", 20240101, 20231231));
  EXPECT_EQ(0, DateDiff("HOUR", 20240101, 20231231));
  EXPECT_EQ(1, DateDiff("DAY", 19800102, 19500101));  // before 1980: its first day
  EXPECT_EQ(24855, DateDiff("DAY", 20480119, 19800101));
  // Dates past 2048-01-19 still count forward from 1980.
  EXPECT_EQ(731, DateDiff("DAY", 20500101, 20480101));
  EXPECT_EQ(9497, DateDiff("DAY", 20500101, 20240101));
}

}  // namespace
