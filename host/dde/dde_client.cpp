#include "dde_client.h"

#include <dde.h>
#include <ddeml.h>

#include <cstring>
#include <vector>

namespace {

const DWORD kTransactionTimeout = 1000;

struct OpenConversation {
  HCONV handle;
  DWORD instance;
  std::string pair;  // service and topic, upper case
};

// A thread's client. The library connects an instance only once to a
// service and topic: a second conversation with them takes an instance of
// its own.
struct ClientThread {
  std::vector<DWORD> instances;
  std::vector<OpenConversation> open;
  unsigned failedOpens = 0;  // DDEOPENs that gave 0, each closed by a DDECLOSE(0)
};

thread_local ClientThread* t_client = nullptr;

// The client serves nothing: every transaction a server would get fails.
HDDEDATA CALLBACK AnswerNothing(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

std::string PairOf(const char* service, const char* topic) {
  std::string pair = std::string(service) + '\n' + topic;
  CharUpperBuffA(&pair[0], static_cast<DWORD>(pair.size()));
  return pair;
}

// An instance of the thread without a conversation with the pair, made
// when there is none; 0 when none can be made.
DWORD InstanceFor(const std::string& pair) {
  if (!t_client) t_client = new ClientThread;
  for (DWORD instance : t_client->instances) {
    bool taken = false;
    for (const OpenConversation& c : t_client->open)
      taken = taken || (c.instance == instance && c.pair == pair);
    if (!taken) return instance;
  }
  DWORD instance = 0;
  if (DdeInitializeA(&instance, AnswerNothing, APPCLASS_STANDARD | CBF_FAIL_ALLSVRXACTIONS, 0) !=
      DMLERR_NO_ERROR)
    return 0;
  t_client->instances.push_back(instance);
  return instance;
}

// The thread's open conversation of that handle, or null.
const OpenConversation* Find(uint32_t conversation) {
  if (!t_client || !conversation) return nullptr;
  HCONV handle = reinterpret_cast<HCONV>(static_cast<uintptr_t>(conversation));
  for (const OpenConversation& c : t_client->open)
    if (c.handle == handle) return &c;
  return nullptr;
}

// A script thread has no message loop: what servers posted to this
// thread's conversations besides their answers (a stray ACK, a TERMINATE)
// is dispatched before a transaction waits, or the wait would take it for
// its answer and fail.
void DispatchDdeMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_DDE_FIRST, WM_DDE_LAST, PM_REMOVE))
    DispatchMessageA(&message);
}

void EndInstances() {
  for (DWORD instance : t_client->instances) DdeUninitialize(instance);
  delete t_client;
  t_client = nullptr;
}

}  // namespace

uint32_t DdeOpen(const char* service, const char* topic) {
  std::string pair = PairOf(service, topic);
  DWORD instance = InstanceFor(pair);
  if (!instance) return 0;
  HSZ serviceName = DdeCreateStringHandleA(instance, service, CP_WINANSI);
  HSZ topicName = DdeCreateStringHandleA(instance, topic, CP_WINANSI);
  HCONV conversation = DdeConnect(instance, serviceName, topicName, nullptr);
  if (serviceName) DdeFreeStringHandle(instance, serviceName);
  if (topicName) DdeFreeStringHandle(instance, topicName);
  if (conversation)
    t_client->open.push_back(OpenConversation{conversation, instance, pair});
  else
    ++t_client->failedOpens;
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(conversation));
}

bool DdeSend(uint32_t conversation, const char* command) {
  const OpenConversation* c = Find(conversation);
  if (!c) return false;
  HDDEDATA data = DdeCreateDataHandle(c->instance,
                                      reinterpret_cast<LPBYTE>(const_cast<char*>(command)),
                                      static_cast<DWORD>(std::strlen(command) + 1), 0, nullptr,
                                      CF_TEXT, 0);
  if (!data) return false;
  HCONV handle = c->handle;
  DispatchDdeMessages();
  // The transaction takes the data handle, whatever its outcome.
  return DdeClientTransaction(reinterpret_cast<LPBYTE>(data), static_cast<DWORD>(-1), handle,
                              nullptr, CF_TEXT, XTYP_EXECUTE, kTransactionTimeout,
                              nullptr) != nullptr;
}

bool DdeReceive(uint32_t conversation, const char* item, std::string& text) {
  const OpenConversation* c = Find(conversation);
  if (!c) return false;
  DWORD instance = c->instance;
  HSZ itemName = DdeCreateStringHandleA(instance, item, CP_WINANSI);
  DispatchDdeMessages();
  HDDEDATA data = DdeClientTransaction(nullptr, 0, c->handle, itemName, CF_TEXT, XTYP_REQUEST,
                                       kTransactionTimeout, nullptr);
  // Some servers (Wine's) post an ACK after their answer's data.
  DispatchDdeMessages();
  if (itemName) DdeFreeStringHandle(instance, itemName);
  if (!data) return false;
  DWORD size = 0;
  const char* bytes = reinterpret_cast<const char*>(DdeAccessData(data, &size));
  bool read = bytes != nullptr;
  if (read) text.assign(bytes, strnlen(bytes, size));
  if (read) DdeUnaccessData(data);
  DdeFreeDataHandle(data);
  return read;
}

bool DdeClose(uint32_t conversation) {
  if (!t_client) return false;
  if (conversation == 0) {
    if (t_client->failedOpens == 0) return false;
    --t_client->failedOpens;
  } else {
    const OpenConversation* c = Find(conversation);
    if (!c) return false;  // another thread's, or closed already
    // A conversation its server ended is refused by DdeDisconnect, and is
    // over all the same.
    DdeDisconnect(c->handle);
    t_client->open.erase(t_client->open.begin() + (c - t_client->open.data()));
  }
  if (!t_client->open.empty() || t_client->failedOpens != 0) return false;
  EndInstances();
  return true;
}

void DdeClientThreadEnd() {
  if (t_client) EndInstances();
}
