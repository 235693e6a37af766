#include "dde_conversations.h"

#include <cstring>

namespace {

struct PendingData {
  ATOM item;
  HGLOBAL block;
};

struct DdeConversation {
  HWND client;
  HWND server;
  std::vector<DdeAdviseItem> items;  // a freed entry is reused first
  std::vector<PendingData> pending;
};

// Lives from before the program's entry to the process's end: script
// threads may store into linked values while static destructors run.
struct ConversationList {
  ConversationList() { InitializeCriticalSection(&lock); }
  CRITICAL_SECTION lock;
  std::vector<DdeConversation> conversations;  // in the order they began
};

ConversationList& List() {
  static ConversationList* list = new ConversationList;
  return *list;
}

[[maybe_unused]] ConversationList& kMadeAtStart = List();

class Locked {
 public:
  Locked() { EnterCriticalSection(&List().lock); }
  ~Locked() { LeaveCriticalSection(&List().lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  std::vector<DdeConversation>& conversations() { return List().conversations; }
};

DdeConversation* FindClient(std::vector<DdeConversation>& list, HWND client) {
  for (DdeConversation& c : list)
    if (c.client == client) return &c;
  return nullptr;
}

DdeConversation* Find(std::vector<DdeConversation>& list, HWND client, HWND server) {
  DdeConversation* c = FindClient(list, client);
  return c && c->server == server ? c : nullptr;
}

DdeReleasedLink Released(const DdeAdviseItem& entry) {
  DdeReleasedLink link{entry.window, entry.variable, entry.item, ""};
  std::memcpy(link.name, entry.name, sizeof link.name);
  return link;
}

DdeClosedConversation Closed(const DdeConversation& c) {
  DdeClosedConversation closed;
  closed.client = c.client;
  closed.server = c.server;
  for (const DdeAdviseItem& entry : c.items)
    if (entry.variable) closed.links.push_back(Released(entry));
  return closed;
}

}  // namespace

bool OpenConversation(HWND client, HWND server) {
  Locked list;
  if (FindClient(list.conversations(), client)) return false;
  list.conversations().push_back(DdeConversation{client, server, {}, {}});
  return true;
}

bool HasConversation(HWND client, HWND server) {
  Locked list;
  return Find(list.conversations(), client, server) != nullptr;
}

AdviseOutcome AddAdviseLink(HWND client, HWND server, const DdeAdviseItem& link, bool mayAdd,
                            ATOM& replaced) {
  replaced = 0;
  Locked list;
  DdeConversation* c = Find(list.conversations(), client, server);
  if (!c) return AdviseOutcome::kRefused;
  DdeAdviseItem* free = nullptr;
  for (DdeAdviseItem& entry : c->items) {
    if (entry.variable == link.variable) {
      replaced = entry.item;
      entry = link;
      return AdviseOutcome::kUpdated;
    }
    if (!entry.variable && !free) free = &entry;
  }
  if (!mayAdd) return AdviseOutcome::kRefused;
  if (free)
    *free = link;
  else
    c->items.push_back(link);
  return AdviseOutcome::kAdded;
}

bool RemoveAdviseLink(HWND client, HWND server, ATOM item, DdeReleasedLink& released) {
  Locked list;
  DdeConversation* c = Find(list.conversations(), client, server);
  if (!c) return false;
  for (DdeAdviseItem& entry : c->items) {
    if (entry.variable && entry.item == item) {
      released = Released(entry);
      entry = DdeAdviseItem{};
      return true;
    }
  }
  return false;
}

bool CloseConversation(HWND client, HWND server, DdeClosedConversation& closed) {
  Locked list;
  std::vector<DdeConversation>& all = list.conversations();
  for (auto c = all.begin(); c != all.end(); ++c) {
    if (c->client != client || c->server != server) continue;
    closed = Closed(*c);
    all.erase(c);
    return true;
  }
  return false;
}

std::vector<DdeClosedConversation> CloseConversationsOf(HWND server) {
  std::vector<DdeClosedConversation> closed;
  Locked list;
  std::vector<DdeConversation>& all = list.conversations();
  for (auto c = all.begin(); c != all.end();) {
    if (c->server != server) {
      ++c;
      continue;
    }
    closed.push_back(Closed(*c));
    c = all.erase(c);
  }
  return closed;
}

bool TakeFirstConversation(DdeClosedConversation& closed) {
  Locked list;
  std::vector<DdeConversation>& all = list.conversations();
  if (all.empty()) return false;
  closed = Closed(all.front());
  all.erase(all.begin());
  return true;
}

std::vector<DdeDataTarget> DataTargetsOf(const VARIABLE* variable) {
  std::vector<DdeDataTarget> targets;
  Locked list;
  for (const DdeConversation& c : list.conversations()) {
    for (const DdeAdviseItem& entry : c.items) {
      if (entry.variable != variable) continue;
      DdeDataTarget target{c.client, entry.window, entry.deferred != 0, entry.ackRequested != 0,
                           ""};
      std::memcpy(target.name, entry.name, sizeof target.name);
      targets.push_back(target);
      break;  // one entry a variable in each conversation
    }
  }
  return targets;
}

bool AnyLinkServedBy(HWND window) {
  Locked list;
  for (const DdeConversation& c : list.conversations())
    for (const DdeAdviseItem& entry : c.items)
      if (entry.variable && entry.window == window) return true;
  return false;
}

void AddPendingData(HWND client, ATOM item, HGLOBAL block) {
  Locked list;
  DdeConversation* c = FindClient(list.conversations(), client);
  if (c) c->pending.push_back(PendingData{item, block});
}

void DropPendingData(HWND client, HGLOBAL block) {
  Locked list;
  DdeConversation* c = FindClient(list.conversations(), client);
  if (!c) return;
  for (auto p = c->pending.begin(); p != c->pending.end(); ++p) {
    if (p->block == block) {
      c->pending.erase(p);
      return;
    }
  }
}

HGLOBAL TakePendingData(HWND client, ATOM item) {
  Locked list;
  DdeConversation* c = FindClient(list.conversations(), client);
  if (!c) return nullptr;
  for (auto p = c->pending.begin(); p != c->pending.end(); ++p) {
    if (p->item == item) {
      HGLOBAL block = p->block;
      c->pending.erase(p);
      return block;
    }
  }
  return nullptr;
}
