// The DDE client of scripts (the built-ins DDEOPEN, DDESEND, DDERECEIVE,
// DDECLOSE) through the DDE management library. Each thread has its own
// instances and count of conversations: conversation handles of another
// thread are refused.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// A conversation with service and topic: its handle, 0 when the connection
// failed (counted all the same, so that a DdeClose(0) pairs with it) or
// the instance could not be made (not counted).
uint32_t DdeOpen(const char* service, const char* topic);
// Executes the command text; true only for a positive ACK within 1 s.
bool DdeSend(uint32_t conversation, const char* command);
// Requests the item as CF_TEXT within 1 s; false (text untouched) when
// there is no answer.
bool DdeReceive(uint32_t conversation, const char* item, std::string& text);
// Ends a conversation of this thread (0: one whose connection failed);
// true when it was the thread's last, whose instances then end. False, and
// no count changes, for a handle that is not open on this thread (closed
// already, or another thread's). One that its server ended is closed too.
bool DdeClose(uint32_t conversation);
// A script thread's end: its instances end with what is still open.
void DdeClientThreadEnd();
