// Mailslots: messages between processes. Each call clears the error word
// first and leaves the Windows error in it when it fails.
#pragma once
#include <windows.h>

#include "variable.h"

namespace hestel {

// The reading end: no message size limit, reads wait for ever. 0 on failure.
HANDLE CreateSlot(const char* name);
// The writing end of an existing mailslot. 0 on failure.
HANDLE OpenSlot(const char* name);
// The number of waiting messages; 0 on failure too.
LONG WaitingMessages(HANDLE slot);
// The next message as a STRING, or null when none waits or on failure.
VARIABLE* NextMessage(HANDLE slot);
// Sends the text with its terminating zero; the bytes written, or 0.
LONG SendMessageText(HANDLE slot, const char* text);

}  // namespace hestel
