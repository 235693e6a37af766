// HESTEL's mailslot exports and its file lists.
#include "find_lists.h"
#include "library_frame.h"
#include "mailslot_calls.h"

using namespace hestel;

KORVEX_EXPORT HANDLE WINAPI MS_Create(const char* name) { return CreateSlot(name); }
KORVEX_EXPORT HANDLE WINAPI MS_Open(const char* name) { return OpenSlot(name); }
// The time-out is not used: the count is given at once.
KORVEX_EXPORT LONG WINAPI MS_Check(HANDLE slot, LONG) { return WaitingMessages(slot); }
KORVEX_EXPORT VARIABLE* WINAPI MS_RdMsg(HANDLE slot) { return NextMessage(slot); }
KORVEX_EXPORT LONG WINAPI MS_WrMsg(HANDLE slot, const char* text) { return SendMessageText(slot, text); }

KORVEX_EXPORT FileList* WINAPI HESTEL_List(const char* pattern) { return NewFileList(pattern); }
KORVEX_EXPORT BOOL WINAPI HESTEL_Next(FileList* list) { return NextMatch(list); }
KORVEX_EXPORT VARIABLE* WINAPI HESTEL_Name(FileList* list) { return MatchName(list); }
KORVEX_EXPORT LONG WINAPI HESTEL_Date(FileList* list) { return MatchDate(list); }
KORVEX_EXPORT LONG WINAPI HESTEL_Size(FileList* list) { return MatchSize(list); }
KORVEX_EXPORT int WINAPI HESTEL_Free(FileList* list) { return FreeFileList(list); }
