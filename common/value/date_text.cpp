// Date and time texts through the system locale's formatting calls.
#include <cstring>

#include "crt_format.h"
#include "date_time.h"
#include "text_helpers.h"

namespace {

const char kTimePicture[] = "HH':'mm':'ss";
const char kShortTimePicture[] = "HH':'mm";
const char kStampPicture[] = "yyyy.MM.dd";

char* EndOf(char* buffer) { return buffer + std::strlen(buffer); }

char* EmptyText(char* buffer) {
  buffer[0] = 0;
  return buffer;
}

// The locale formats into a buffer of its own; the caller gets a copy cut to
// its capacity.
char* CopyOut(char* buffer, size_t capacity, const char* text) {
  return CopyText(buffer, capacity, text);
}

char* HandTime(int hour, int minute, int second, bool withSeconds, char* buffer,
               size_t capacity) {
  if (withSeconds)
    CrtFormat(buffer, capacity, "%02d:%02d:%02d", hour, minute, second);
  else
    CrtFormat(buffer, capacity, "%02d:%02d", hour, minute);
  return EndOf(buffer);
}

char* FormatTime(const SYSTEMTIME& st, const char* picture, char* buffer,
                 size_t capacity) {
  char own[kDateTextSize];
  if (GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, TIME_FORCE24HOURFORMAT, &st, picture,
                     own, sizeof own) > 0)
    return CopyOut(buffer, capacity, own);
  return nullptr;
}

char* TimeText(int32_t time, const char* picture, bool withSeconds, char* buffer,
               size_t capacity) {
  SYSTEMTIME st = {};
  st.wYear = 2000;
  st.wMonth = 1;
  st.wDay = 1;
  st.wHour = static_cast<WORD>(TimeHour(time));
  st.wMinute = static_cast<WORD>(TimeMinute(time));
  st.wSecond = static_cast<WORD>(TimeSecond(time));
  if (char* end = FormatTime(st, picture, buffer, capacity)) return end;
  // 24:00:00 and numbers past a day are refused by the locale.
  return HandTime(TimeHour(time), TimeMinute(time), TimeSecond(time), withSeconds,
                  buffer, capacity);
}

char* NowTextWith(const char* picture, bool withSeconds, char* buffer,
                  size_t capacity) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  if (char* end = FormatTime(st, picture, buffer, capacity)) return end;
  return HandTime(st.wHour, st.wMinute, st.wSecond, withSeconds, buffer, capacity);
}

}  // namespace

char* GetDateOrder(char* buffer) {
  std::memcpy(buffer, "DMY.:", kDateOrderSize);
  SYSTEMTIME st = {};
  st.wYear = 1999;
  st.wMonth = 12;
  st.wDay = 31;
  // Room for the longest short-date format the locale allows (80).
  char text[96];
  if (GetDateFormatA(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &st, nullptr, text,
                     sizeof text) <= 0)
    return buffer + 5;
  size_t length = std::strlen(text);
  for (int position = 0; position < 3; ++position) {
    const char* field = text + position * 3;
    char letter = 'Y';  // four-digit years and unknown fields read as the year
    if (static_cast<size_t>(position * 3 + 2) <= length) {
      if (std::strncmp(field, "12", 2) == 0) letter = 'M';
      if (std::strncmp(field, "31", 2) == 0) letter = 'D';
    }
    buffer[position] = letter;
  }
  buffer[3] = length > 2 ? text[2] : '.';
  return buffer + 5;
}

char* GetDatePicture(char* buffer, size_t capacity) {
  char order[kDateOrderSize];
  GetDateOrder(order);
  char picture[16] = "";
  for (int i = 0; i < 3; ++i) {
    if (i > 0) std::strcat(picture, ".");
    std::strcat(picture, order[i] == 'D' ? "dd" : order[i] == 'M' ? "MM" : "yyyy");
  }
  return CopyOut(buffer, capacity, picture);
}

char* TodayText(char* buffer, size_t capacity) {
  return DateToText(Today(), buffer, nullptr, capacity);
}

char* DateToText(int32_t date, char* buffer, const char* picture, size_t capacity) {
  if (date == 0) return CopyOut(buffer, capacity, "00.00.00");
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(DateYear(date));
  st.wMonth = static_cast<WORD>(DateMonth(date));
  st.wDay = static_cast<WORD>(DateDay(date));
  char own[kDateTextSize];
  if (GetDateFormatA(LOCALE_SYSTEM_DEFAULT, picture ? 0 : DATE_SHORTDATE, &st,
                     picture, own, sizeof own) > 0)
    return CopyOut(buffer, capacity, own);
  // The locale refuses dates that do not exist (31 February); the stamp
  // picture of TIME values still shows the numbers as they are.
  if (picture && std::strcmp(picture, kStampPicture) == 0) {
    CrtFormat(buffer, capacity, "%04d.%02d.%02d", DateYear(date), DateMonth(date),
              DateDay(date));
    return EndOf(buffer);
  }
  return EmptyText(buffer);
}

char* NowText(char* buffer, size_t capacity) {
  return NowTextWith("HH:mm:ss", true, buffer, capacity);
}

char* NowShortText(char* buffer, size_t capacity) {
  return NowTextWith("HH:mm", false, buffer, capacity);
}

char* TimeToText(int32_t time, char* buffer, size_t capacity) {
  return TimeText(time, kTimePicture, true, buffer, capacity);
}

char* TimeToShortText(int32_t time, char* buffer, size_t capacity) {
  return TimeText(time, kShortTimePicture, false, buffer, capacity);
}

char* DateTimeToText(int32_t date, int32_t time, char* buffer, size_t capacity) {
  char* end = DateToText(date, buffer, kStampPicture, capacity);
  size_t used = static_cast<size_t>(end - buffer);
  if (used + 2 > capacity) return end;
  *end++ = ' ';
  return TimeToText(time, end, capacity - used - 1);
}
