// HESTEL's file-handle exports, as scripts call them (every argument one
// 32-bit word) and as other libraries link HESTEL_CREATE and HESTEL_CLOSE.
#include "file_calls.h"
#include "hestel.h"
#include "library_frame.h"

// The export is named EOF; the C runtime's macro of that name is not used here.
#ifdef EOF
#undef EOF
#endif

using namespace hestel;

KORVEX_EXPORT HANDLE WINAPI Open(const char* name, const char* mode) { return OpenNamed(name, mode); }
KORVEX_EXPORT HANDLE WINAPI Create(const char* name) { return CreateNamed(name); }
KORVEX_EXPORT int WINAPI Close(HANDLE file) { return CloseFile(file); }

HESTEL_API HANDLE WINAPI HESTEL_CREATE(const char* name) { return CreateNamed(name); }
HESTEL_API int WINAPI HESTEL_CLOSE(HANDLE file) { return CloseFile(file); }

KORVEX_EXPORT BOOL WINAPI Lock(HANDLE file, LONG position, LONG length, LONG on) {
  return LockRange(file, static_cast<DWORD>(position), static_cast<DWORD>(length), on != 0);
}
KORVEX_EXPORT LONG WINAPI Size(HANDLE file) { return static_cast<LONG>(FileSize(file)); }
KORVEX_EXPORT LONG WINAPI Seek(HANDLE file, LONG position) {
  return static_cast<LONG>(SeekFromStart(file, position));
}
KORVEX_EXPORT LONG WINAPI GetPos(HANDLE file) { return static_cast<LONG>(CurrentPosition(file)); }

KORVEX_EXPORT LONG WINAPI RdBin(HANDLE file, char* buffer, LONG count) {
  return static_cast<LONG>(ReadBlock(file, buffer, count));
}
KORVEX_EXPORT VARIABLE* WINAPI RdStr(HANDLE file) { return ReadLine(file); }
KORVEX_EXPORT BOOL WINAPI EOF(HANDLE file) { return EndSeen(file); }
KORVEX_EXPORT BOOL WINAPI WrBin(HANDLE file, char* buffer, LONG count) {
  return WriteBlock(file, buffer, count);
}
KORVEX_EXPORT BOOL WINAPI WrStr(HANDLE file, char* text) { return WriteText(file, text); }
KORVEX_EXPORT BOOL WINAPI Flush(HANDLE file) { return FlushFileBuffers(file); }
KORVEX_EXPORT BOOL WINAPI Truncate(HANDLE file) { return SetEndOfFile(file); }

KORVEX_EXPORT LONG WINAPI LastError(HANDLE file) { return static_cast<LONG>(LastErrorOf(file)); }
KORVEX_EXPORT VARIABLE* WINAPI Name(HANDLE file) { return NameOf(file); }
