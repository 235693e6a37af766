// The server's conversations: one per client window, each with the script
// window that answered its INITIATE and the links it advises. Every
// function takes the one lock of the list and does nothing else inside it:
// no other lock, no message sent, no script run (stores call the change
// hook inside the operator section, so this lock is the innermost one).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "dde_item.h"

class VARIABLE;

// One advise link of a conversation; a free entry has no variable.
struct DdeAdviseItem {
  ATOM item = 0;             // the server's own reference to the item atom
  uint8_t deferred = 0;      // warm link: data are announced, not sent
  uint8_t ackRequested = 0;  // the client acknowledges each data message
  HWND window = nullptr;     // the script window that serves the item
  VARIABLE* variable = nullptr;
  char name[kItemNameLength + 1] = "";  // the item atom's text
};

// A link taken out of the list: its counter and atom are still to undo.
struct DdeReleasedLink {
  HWND window;
  VARIABLE* variable;
  ATOM item;
  char name[kItemNameLength + 1];
};

struct DdeClosedConversation {
  HWND client = nullptr;
  HWND server = nullptr;
  std::vector<DdeReleasedLink> links;
};

// Where one store is pushed to.
struct DdeDataTarget {
  HWND client;
  HWND window;
  bool deferred;
  bool ackRequested;
  char name[kItemNameLength + 1];
};

// A new conversation of client with server; false when the client has one.
bool OpenConversation(HWND client, HWND server);
// The client's conversation is with server.
bool HasConversation(HWND client, HWND server);

enum class AdviseOutcome { kAdded, kUpdated, kRefused };
// Links the variable in the conversation of client with server: its entry
// there is updated (kUpdated: the counter stays; the entry's old item atom
// is handed back in replaced), else a free entry or a new one is taken
// (kAdded) unless mayAdd is false (kRefused, as without a conversation).
AdviseOutcome AddAdviseLink(HWND client, HWND server, const DdeAdviseItem& link, bool mayAdd,
                            ATOM& replaced);
// Frees the first entry whose item atom is item; false when there is none.
bool RemoveAdviseLink(HWND client, HWND server, ATOM item, DdeReleasedLink& released);

// Deletes the conversation of client with server; false when there is none.
bool CloseConversation(HWND client, HWND server, DdeClosedConversation& closed);
// Deletes every conversation that server answered.
std::vector<DdeClosedConversation> CloseConversationsOf(HWND server);
// Takes the first conversation out of the list; false when it is empty.
bool TakeFirstConversation(DdeClosedConversation& closed);

// The links on this variable, one per conversation.
std::vector<DdeDataTarget> DataTargetsOf(const VARIABLE* variable);
// Some conversation links a variable that window serves.
bool AnyLinkServedBy(HWND window);

// Data blocks posted with fAckReq, kept until the client's ACK: a refused
// block is the server's to free.
void AddPendingData(HWND client, ATOM item, HGLOBAL block);
void DropPendingData(HWND client, HGLOBAL block);
// The oldest block awaiting the client's ACK for item; null when none.
HGLOBAL TakePendingData(HWND client, ATOM item);
