// Dates, times and moments. Runs in the Russian locale (short date
// "dd.MM.yyyy").
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "date_time.h"

namespace {

std::string Order() {
  char buffer[kDateOrderSize];
  char* end = GetDateOrder(buffer);
  EXPECT_EQ(buffer + 5, end);
  return buffer;
}

TEST(Calendar, MonthLengthsAndValidity) {
  EXPECT_EQ(29, DaysInMonth(2, 2000));
  EXPECT_EQ(28, DaysInMonth(2, 1900));
  EXPECT_EQ(29, DaysInMonth(2, 2024));
  EXPECT_EQ(28, DaysInMonth(2, 2023));
  EXPECT_EQ(31, DaysInMonth(12, 2023));
  EXPECT_EQ(0, DaysInMonth(0, 2023));
  EXPECT_EQ(0, DaysInMonth(13, 2023));
  EXPECT_EQ(1, IsValidDate(20000229));
  EXPECT_EQ(0, IsValidDate(19000229));
  EXPECT_EQ(0, IsValidDate(20240431));
  EXPECT_EQ(0, IsValidDate(20241301));
  EXPECT_EQ(0, IsValidDate(20240800));
  EXPECT_EQ(0, IsValidDate(817));  // year 0
}

TEST(Calendar, StepsAcrossMonthsAndYears) {
  EXPECT_EQ(20240229, NextDay(20240228));
  EXPECT_EQ(20240301, NextDay(20240229));
  EXPECT_EQ(20240101, NextDay(20231231));
  EXPECT_EQ(20240229, PreviousDay(20240301));
  EXPECT_EQ(20231231, PreviousDay(20240101));
  EXPECT_EQ(20230228, PreviousDay(20230301));
  // An invalid date stays as it is instead of walking off the table.
  EXPECT_EQ(20241332, NextDay(20241332));
  EXPECT_EQ(20241301, PreviousDay(20241301));
  EXPECT_EQ(0, NextDay(0));
}

TEST(Calendar, DayCountAndWeekday) {
  EXPECT_EQ(2, DayCount(20240301) - DayCount(20240228));
  EXPECT_EQ(365, DayCount(20240101) - DayCount(20230101));
  EXPECT_EQ(0, DayCount(10101));
  EXPECT_EQ(1, DayOfWeek(19800101));
  EXPECT_EQ(5, DayOfWeek(20240817));
  EXPECT_EQ(0, DayOfWeek(20240819));
  EXPECT_EQ(1, DayOfWeek(19791231));  // before 1980
  EXPECT_EQ(6, DayOfWeek(20480119));  // a Sunday, at the end of the range
}

TEST(Calendar, PartsOfNumbers) {
  EXPECT_EQ(20240817, MakeDate(2024, 8, 17));
  EXPECT_EQ(17, DateDay(20240817));
  EXPECT_EQ(8, DateMonth(20240817));
  EXPECT_EQ(2024, DateYear(20240817));
  EXPECT_EQ(3723, MakeTime(1, 2, 3));
  EXPECT_EQ(1, TimeHour(3723));
  EXPECT_EQ(2, TimeMinute(3723));
  EXPECT_EQ(3, TimeSecond(3723));
  EXPECT_EQ(1, IsValidDate(Today()));
  int32_t now = TimeNow();
  EXPECT_GE(now, 0);
  EXPECT_LT(now, 86400);
}

TEST(Moments, DateTimeToSeconds) {
  EXPECT_EQ(0, DateTimeToSeconds(19800101, 0));
  EXPECT_EQ(86400, DateTimeToSeconds(19800102, 0));
  EXPECT_EQ(0, DateTimeToSeconds(19791231, 3600));
  EXPECT_EQ(59 * 86400, DateTimeToSeconds(19800229, 0));
  EXPECT_EQ(60 * 86400, DateTimeToSeconds(19800301, 0));
  EXPECT_EQ(366 * 86400, DateTimeToSeconds(19810101, 0));
  EXPECT_EQ(1408320000, DateTimeToSeconds(20240817, 0));
  EXPECT_EQ(2147483647, DateTimeToSeconds(20480119, 11647));
}

TEST(Moments, RoundTrips) {
  int32_t date = -1, time = -1;
  SecondsToDateTime(5097600, &date, &time);
  EXPECT_EQ(19800229, date);
  EXPECT_EQ(0, time);
  SecondsToDateTime(2147483647, &date, &time);
  EXPECT_EQ(20480119, date);
  EXPECT_EQ(11647, time);
  SecondsToDateTime(0, &date, &time);
  EXPECT_EQ(19800101, date);
  // Every day of two cycles (leap days and year ends included) comes back.
  for (int32_t d = 19800101; d < 19880301; d = NextDay(d)) {
    SecondsToDateTime(DateTimeToSeconds(d, 45296), &date, &time);
    ASSERT_EQ(d, date);
    ASSERT_EQ(45296, time);
  }
  SYSTEMTIME st;
  SecondsToSystemTime(DateTimeToSeconds(20241231, 86399), &st);
  EXPECT_EQ(2024, st.wYear);
  EXPECT_EQ(12, st.wMonth);
  EXPECT_EQ(31, st.wDay);
  EXPECT_EQ(23, st.wHour);
  EXPECT_EQ(59, st.wMinute);
  EXPECT_EQ(59, st.wSecond);
  EXPECT_EQ(0, st.wMilliseconds);
}

TEST(Locale, DateOrderAndPicture) {
  EXPECT_EQ("DMY.:", Order());
  char buffer[kDateTextSize];
  EXPECT_EQ(buffer + 10, GetDatePicture(buffer));
  EXPECT_STREQ("dd.MM.yyyy", buffer);
}

TEST(Parsers, DatesInTheLocaleOrder) {
  EXPECT_EQ(20240817, ParseDate("17.08.24"));
  EXPECT_EQ(19510817, ParseDate("17.08.51"));
  EXPECT_EQ(20500817, ParseDate("17.08.50"));
  EXPECT_EQ(20240231, ParseDate("31.02.2024"));
  EXPECT_EQ(20240817, ParseDate("17/8/2024"));
  EXPECT_EQ(0, ParseDate("17.08.1000"));
  EXPECT_EQ(0, ParseDate("32.08.2024"));
  EXPECT_EQ(0, ParseDate("17.13.2024"));
  EXPECT_EQ(0, ParseDate(""));
  EXPECT_EQ(0, ParseDate("0.08.2024"));  // a 0 ends the reading
}

TEST(Parsers, DatesStopAtTheEndOfTheText) {
  // The text is followed by digits in memory: no reading may pass its zero.
  char text[16];
  std::memcpy(text, "17.08\0" "12.1999", 13);
  EXPECT_EQ(20000817, ParseDate(text));
  std::memcpy(text, "17\0" "08.2024", 10);
  EXPECT_EQ(0, ParseDate(text));
  SYSTEMTIME st;
  EXPECT_EQ(1, ParseDateFields("", &st));
  EXPECT_EQ(0, st.wYear);
  EXPECT_EQ(1, ParseDateFields("17.08.2024", &st));
  EXPECT_EQ(2024, st.wYear);
  EXPECT_EQ(8, st.wMonth);
  EXPECT_EQ(17, st.wDay);
  EXPECT_EQ(0, ParseDateFields("17.13.2024", &st));
  EXPECT_EQ(0, st.wDay);
}

TEST(Parsers, CompactDates) {
  EXPECT_EQ(20240101, ParseCompactDate("2024"));
  EXPECT_EQ(20240801, ParseCompactDate("202408"));
  EXPECT_EQ(20240817, ParseCompactDate("20240817"));
  EXPECT_EQ(20240817, ParseCompactDate("20240817 12:30"));
  EXPECT_EQ(20240101, ParseCompactDate("2024 12:30"));
  EXPECT_EQ(0, ParseCompactDate("2024.08.17"));
  EXPECT_EQ(0, ParseCompactDate("20241301"));
  EXPECT_EQ(0, ParseCompactDate("202"));
  EXPECT_EQ(0, ParseCompactDate(""));
}

TEST(Parsers, Times) {
  EXPECT_EQ(0, ParseTime("7"));
  EXPECT_EQ(27000, ParseTime("7:30"));
  EXPECT_EQ(45296, ParseTime("12:34:56"));
  EXPECT_EQ(86400, ParseTime("24:00"));
  EXPECT_EQ(0, ParseTime("12:60"));
  EXPECT_EQ(0, ParseTime("12:00:60"));
  EXPECT_EQ(0, ParseTime("25:00"));
  EXPECT_EQ(0, ParseTime(" 7:30"));
  EXPECT_EQ(0, ParseTimeLoose(""));
  EXPECT_EQ(0, ParseTimeLoose("x7"));
  EXPECT_EQ(27000, ParseTimeLoose("7:30"));
  char text[8];
  std::memcpy(text, "7\0" "30:15", 7);
  EXPECT_EQ(25200, ParseTimeLoose(text));
  std::memcpy(text, "7:30\0" "15", 7);
  EXPECT_EQ(27000, ParseTime(text));
  SYSTEMTIME st;
  EXPECT_EQ(1, ParseTimeFields("23:59:58", &st));
  EXPECT_EQ(23, st.wHour);
  EXPECT_EQ(59, st.wMinute);
  EXPECT_EQ(58, st.wSecond);
  EXPECT_EQ(0, ParseTimeFields("23", &st));
  const char* p = "65537x";
  EXPECT_EQ(1, ReadNumber(&p));  // 16-bit accumulation
  EXPECT_EQ('x', *p);
}

TEST(Texts, DatesAndTimes) {
  char buffer[kDateTextSize];
  EXPECT_EQ(buffer + 19, DateTimeToText(20240817, 3723, buffer));
  EXPECT_STREQ("2024.08.17 01:02:03", buffer);
  EXPECT_EQ(buffer + 8, DateToText(0, buffer, nullptr));
  EXPECT_STREQ("00.00.00", buffer);
  EXPECT_EQ(buffer + 10, DateToText(20240817, buffer, nullptr));
  EXPECT_STREQ("17.08.2024", buffer);
  DateToText(20240817, buffer, "yyyy-MM-dd");
  EXPECT_STREQ("2024-08-17", buffer);
  EXPECT_EQ(buffer + 8, TimeToText(45296, buffer));
  EXPECT_STREQ("12:34:56", buffer);
  EXPECT_EQ(buffer + 5, TimeToShortText(45296, buffer));
  EXPECT_STREQ("12:34", buffer);
  EXPECT_EQ(buffer + 8, NowText(buffer));
  EXPECT_EQ(':', buffer[2]);
  EXPECT_EQ(buffer + 5, NowShortText(buffer));
  EXPECT_EQ(buffer + 10, TodayText(buffer));
}

TEST(Texts, ValuesTheLocaleRefusesStillGiveText) {
  char buffer[kDateTextSize];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(buffer + 19, DateTimeToText(20240231, 86400, buffer));
  EXPECT_STREQ("2024.02.31 24:00:00", buffer);
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(buffer + 5, TimeToShortText(86400, buffer));
  EXPECT_STREQ("24:00", buffer);
  std::memset(buffer, 'x', sizeof buffer);
  char* end = DateToText(20241345, buffer, nullptr);
  EXPECT_EQ(buffer + std::strlen(buffer), end);
  EXPECT_STREQ("", buffer);
}

TEST(Texts, CapacityIsKept) {
  char buffer[12];
  std::memset(buffer, 'x', sizeof buffer);
  char* end = DateTimeToText(20240817, 3723, buffer, 11);
  EXPECT_EQ(buffer + 10, end);
  EXPECT_STREQ("2024.08.17", buffer);
  EXPECT_EQ('x', buffer[11]);
  end = DateToText(20240817, buffer, nullptr, 6);
  EXPECT_EQ(buffer + 5, end);
  EXPECT_STREQ("17.08", buffer);
}

}  // namespace
