// Connections (bases): the process-wide ODBC environment, its use count and
// the list of open connections. A Base is found by its ODBC connection
// handle, which is also the handle that scripts and record sets hold.
#pragma once
#include <windows.h>
#include <sql.h>

#include <cstdint>

// Flags of a Base.
enum : uint16_t {
  kBaseReadOnly = 0x0001,
  kBaseAsync = 0x0002,
  kBaseCursorLibrary = 0x0004,
  kBasePositionedDelete = 0x0010,
  kBasePositionedUpdate = 0x0020,
  kBaseSetPosDelete = 0x0040,
  kBaseSetPosUpdate = 0x0080,
  kBaseSetPosAdd = 0x0100,
  kBaseSetPosRefresh = 0x0200,
  // The driver's SQLSetPos writes every bound column whatever its length
  // word says ('' into unset ones) and time stamps to the minute: records
  // are written with generated statements instead.
  kBaseSetPosWritesAll = 0x0400,
  kBaseQuiet = 0x1000,
  kBaseUserLog = 0x2000,
};

const int kBaseUserSize = 32;
const int kBasePasswordSize = 16;

struct Base {
  char* name;                        // data-source name, upper case (heap)
  char* logFile;                     // heap, null while the user log is off
  const unsigned char* dictionary;   // 256 weights, null for none
  Base* next;
  uint16_t useCount;
  uint16_t flags;
  HDBC connection;
  char user[kBaseUserSize];
  char password[kBasePasswordSize];
};

// Makes a zeroed Base named by the first `length` bytes of name, upper-cased
// (null when memory is short); not yet in the list.
Base* NewBase(const char* name, size_t length);
// Frees the record and its texts (it must be out of the list).
void DeleteBase(Base* base);
void AppendBase(Base* base);
void UnlinkBase(Base* base);

Base* FindBase(HDBC connection);
// The text up to its first ';', upper-cased (on a copy), compared with each
// Base's name; an empty name finds nothing.
Base* FindBaseByName(const char* text);
// The flags, or -1 for an unknown handle.
long BaseFlags(HDBC connection);

// The environment, allocated on demand, and its use count (one per
// connection made under it).
HENV OdbcEnvironment();
// Allocates the environment when there is none; false when that fails.
bool AcquireEnvironment();
void CountEnvironmentUse();
// One use less; at 0 the environment is freed and forgotten.
void ReleaseEnvironmentUse();

// Copies at most size - 1 bytes of text up to its first ';' (or end) and
// a terminating zero.
void CopyField(char* destination, size_t size, const char* text);
