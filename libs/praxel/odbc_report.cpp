#include "odbc_report.h"

#include <sqlext.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base_list.h"
#include "blank_helpers.h"
#include "odbc_helpers.h"
#include "user_log.h"
#include "wennic.h"

namespace {

const int kCaptionSize = 32;
const int kMessageSize = 522;
enum : int {
  kCaptionError = 1000,
  kCaptionWarning = 1001,
  kCaptionHandle = 1002,
  kCaptionMemory = 1003,
  kFieldNotFound = 91,
};

std::string Message(int number) {
  char text[kCaptionSize] = "";
  MSGTXT(number, text, sizeof text);
  return text;
}

// A box that belongs to the window with the focus, which gets it back.
int FocusBox(const char* text, const char* caption, UINT style) {
  HWND focus = GetFocus();
  int answer = MessageBoxA(focus, text, caption, style | MB_SETFOREGROUND);
  if (focus) SetFocus(focus);
  return answer;
}

// Before a '{': '[' becomes a blank and ']' a line feed. From a '{' on the
// braced text moves to the front, '|' becoming a line feed, and ends at the
// '}'. True when a braced text was found.
bool ScanMessage(char* message, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (message[i] == '[') message[i] = ' ';
    else if (message[i] == ']') message[i] = '\n';
    else if (message[i] == '{') {
      size_t out = 0;
      for (size_t j = i + 1; j < length && message[j] != '}'; ++j)
        message[out++] = message[j] == '|' ? '\n' : message[j];
      message[out] = '\0';
      return true;
    }
  }
  return false;
}

}  // namespace

int RecordSetDiagnostics::ReportOdbcError(HSTMT statement, RETCODE code, const char* context,
                                          const char* expectedState) {
  int result;
  int captionNumber;
  switch (code) {
    case SQL_INVALID_HANDLE: captionNumber = kCaptionHandle; result = 0; break;
    case SQL_ERROR: captionNumber = kCaptionError; result = 0; break;
    case SQL_SUCCESS_WITH_INFO: captionNumber = kCaptionWarning; result = -1; break;
    case kReportNoMemory: captionNumber = kCaptionMemory; result = 0; break;
    default: return 1;
  }
  std::string caption = Message(captionNumber);
  UCHAR state[6] = "";
  char message[kMessageSize];
  SDWORD native = 0;
  SWORD length = 0;
  auto next = [&] {
    std::memset(message, 0, sizeof message);
    return Succeeded(SQLError(OdbcEnvironment(), connection_, statement, state, &native,
                              reinterpret_cast<UCHAR*>(message), sizeof message - 1, &length));
  };
  if (!next()) return result;
  const char* first = reinterpret_cast<char*>(state);
  if (code == SQL_SUCCESS_WITH_INFO &&
      (std::strcmp(first, "01S02") == 0 || (expectedState && std::strcmp(first, expectedState) == 0)))
    return result;
  Base* base = FindBase(connection_);
  const uint16_t flags = base ? base->flags : 0;
  do {
    if (flags & kBaseUserLog) LogOdbcError(message, context, caption.c_str());
    if (flags & kBaseQuiet) continue;
    size_t shown = strnlen(message, sizeof message - 1);
    if (length >= 0 && static_cast<size_t>(length) < shown) shown = static_cast<size_t>(length);
    if (ScanMessage(message, shown)) {
      SqueezeBlanks(message, sizeof message);
      FocusBox(message, Message(kCaptionError).c_str(), MB_OK | MB_ICONSTOP);
      return 0;
    }
    if (ErrorBox(message, context, caption.c_str())) return 1;
  } while (next());
  return result;
}

BOOL RecordSetDiagnostics::ErrorBox(const char* text, const char* context, const char* caption) {
  std::string title = std::string(name()) + ":" + (context ? context : "") + " - " +
                      (caption ? caption : "");
  return FocusBox(text ? text : "", title.c_str(), MB_RETRYCANCEL | MB_ICONSTOP) != IDCANCEL;
}

void RecordSetDiagnostics::ReportFieldError(const char* field, const char* context) {
  char format[128] = "";
  MSGTXT(kFieldNotFound, format, sizeof format);
  // The message's own "%s" takes the field; any other text of it is kept.
  std::string text = format;
  size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, field ? field : "");
  ErrorBox(text.c_str(), context, Message(kCaptionError).c_str());
}

void RecordSetDiagnostics::LogOdbcError(const char* message, const char* context,
                                        const char* caption) {
  std::string line = std::string(caption ? caption : "") + "\t" + name() + ":" +
                     (context ? context : "") + "\t" + (message ? message : "");
  WriteLogLine(connection_, line.c_str());
}
