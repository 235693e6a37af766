// Opening, cloning and closing connections (the bodies of PRAXEL_BaseOpen,
// PRAXEL_BaseClone and PRAXEL_BaseClose).
#pragma once
#include <windows.h>
#include <sql.h>

#include <string>

struct Base;

// fOption bits of OpenBase.
enum : long {
  kOpenCursorLibrary = 1,
  kOpenQuiet = 2,
};

// The connection handle of a new or joined Base, or 0. In quiet mode the
// window word is the handle of a text block that collects the diagnostics
// (message_block.h) and nothing is shown.
HDBC OpenBase(HWND window, const char* connect, long options);
// A second connection with the parameters of an open Base, or 0.
HDBC CloneBase(Base* source, HWND window);
// The remaining use count; 0 when the connection was closed; 65535 for an
// unknown handle.
long CloseBase(HDBC connection);

// Called with a connection that is about to be closed, before it is
// disconnected (the record sets on it drop their statements).
void SetBaseClosingHook(void (*hook)(HDBC connection));

// The input connection string: "DSN=", "UID=" and "PWD=" each taken from
// the (blank-squeezed) text up to its ';', in this order, each followed by
// ';'. Other keys are left out.
std::string InputConnectString(const char* connect);
// The value of key in text, up to the next ';' (empty when absent).
std::string KeyValue(const char* text, const char* key);
