#include "user_log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base_list.h"

namespace {

const size_t kCommandLength = 6;  // "LOGON=" and "LOGOFF"

BOOL AppendToFile(const char* fileName, const std::string& line) {
  // Created when it does not exist yet, else opened and written at its end.
  HANDLE file = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    file = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    SetFilePointer(file, 0, nullptr, FILE_END);
  }
  DWORD written = 0;
  BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
            written == line.size();
  CloseHandle(file);
  return ok;
}

}  // namespace

std::string FormatLogLine(const SYSTEMTIME& time, const char* message) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%d.%d.%d\t%d:%d:%d\t", time.wYear, time.wMonth, time.wDay,
                time.wHour, time.wMinute, time.wSecond);
  return std::string(stamp) + (message ? message : "") + "\r\n";
}

BOOL WriteLogLine(HDBC connection, const char* message) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  Base* base = FindBase(connection);
  if (!base || !message || !(base->flags & kBaseUserLog) || !base->logFile) return FALSE;
  return AppendToFile(base->logFile, FormatLogLine(now, message));
}

BOOL WriteUserLog(HDBC connection, const char* message) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  Base* base = FindBase(connection);
  if (!base || !message) return FALSE;
  if (_strnicmp(message, "LOGON=", kCommandLength) == 0) {
    if (base->flags & kBaseUserLog) return TRUE;  // the first file stays
    char* name = _strdup(message + kCommandLength);
    if (!name) return FALSE;
    base->logFile = name;
    base->flags |= kBaseUserLog;
    return TRUE;
  }
  if (_strnicmp(message, "LOGOFF", kCommandLength) == 0) {
    if (base->flags & kBaseUserLog) {
      std::free(base->logFile);
      base->logFile = nullptr;
      base->flags &= ~kBaseUserLog;
    }
    return TRUE;
  }
  if (!(base->flags & kBaseUserLog)) return FALSE;
  return AppendToFile(base->logFile, FormatLogLine(now, message));
}
