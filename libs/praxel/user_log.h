// The user log of a connection: "LOGON=file" turns it on, "LOGOFF" off,
// and every other message becomes one dated, tab-separated line.
#pragma once
#include <windows.h>
#include <sql.h>

#include <string>

// The body of PRAXEL_BaseLog.
BOOL WriteUserLog(HDBC connection, const char* message);
// Writes one line when the connection's log is on; FALSE otherwise or when
// the file can be neither created nor opened.
BOOL WriteLogLine(HDBC connection, const char* message);
// "year.month.day<TAB>hour:minute:second<TAB>message<CR><LF>", numbers
// without leading zeros.
std::string FormatLogLine(const SYSTEMTIME& time, const char* message);
