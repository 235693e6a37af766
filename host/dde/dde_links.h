// Advise links: ADVISE and UNADVISE, their release, the data pushed to the
// clients on every store, and the clients' ACKs of that data.
#pragma once
#include <windows.h>

#include "dde_conversations.h"

class WindowInterpreter;

void OnAdvise(HWND window, HWND client, LPARAM packed);
void OnUnadvise(HWND window, HWND client, LPARAM lParam);
// WM_DDE_ACK of data posted with fAckReq.
void OnDataAck(HWND client, LPARAM packed);

// Lowers the variable's counter when the item still names that very
// variable in interpreter (an ERASE or REDIM may have freed it; null: the
// window is gone), then deletes the link's atom.
void ReleaseLink(WindowInterpreter* interpreter, const DdeReleasedLink& link);
void ReleaseLinks(WindowInterpreter* interpreter, const DdeClosedConversation& closed);

// Around a command run for a client: the data of the stores it makes on
// this thread are posted after its ACK, once the outermost command ends. A
// client of the DDE management library waiting for that ACK would take
// data that came first for its answer, and fail the command.
void HoldDataPosts();
void ReleaseDataPosts();
