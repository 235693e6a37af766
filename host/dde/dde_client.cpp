#include "dde_client.h"

#include <ddeml.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const DWORD kTransactionTimeout = 1000;

struct ClientThread {
  DWORD instance = 0;
  std::vector<HCONV> open;
  unsigned failedOpens = 0;  // DDEOPENs that gave 0, each closed by a DDECLOSE(0)
};

thread_local ClientThread* t_client = nullptr;

// The client serves nothing: every transaction a server would get fails.
HDDEDATA CALLBACK AnswerNothing(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

ClientThread* Client() {
  if (t_client) return t_client;
  DWORD instance = 0;
  if (DdeInitializeA(&instance, AnswerNothing, APPCLASS_STANDARD | CBF_FAIL_ALLSVRXACTIONS, 0) !=
      DMLERR_NO_ERROR)
    return nullptr;
  t_client = new ClientThread;
  t_client->instance = instance;
  return t_client;
}

// The thread's conversation of that handle, or null.
HCONV OpenConversation(uint32_t conversation) {
  if (!t_client || !conversation) return nullptr;
  HCONV handle = reinterpret_cast<HCONV>(static_cast<uintptr_t>(conversation));
  const std::vector<HCONV>& open = t_client->open;
  return std::find(open.begin(), open.end(), handle) != open.end() ? handle : nullptr;
}

void EndInstance() {
  DdeUninitialize(t_client->instance);
  delete t_client;
  t_client = nullptr;
}

}  // namespace

uint32_t DdeOpen(const char* service, const char* topic) {
  ClientThread* client = Client();
  if (!client) return 0;
  HSZ serviceName = DdeCreateStringHandleA(client->instance, service, CP_WINANSI);
  HSZ topicName = DdeCreateStringHandleA(client->instance, topic, CP_WINANSI);
  HCONV conversation = DdeConnect(client->instance, serviceName, topicName, nullptr);
  if (serviceName) DdeFreeStringHandle(client->instance, serviceName);
  if (topicName) DdeFreeStringHandle(client->instance, topicName);
  if (conversation)
    client->open.push_back(conversation);
  else
    ++client->failedOpens;
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(conversation));
}

bool DdeSend(uint32_t conversation, const char* command) {
  HCONV handle = OpenConversation(conversation);
  if (!handle) return false;
  HDDEDATA data = DdeCreateDataHandle(t_client->instance,
                                      reinterpret_cast<LPBYTE>(const_cast<char*>(command)),
                                      static_cast<DWORD>(std::strlen(command) + 1), 0, nullptr,
                                      CF_TEXT, 0);
  if (!data) return false;
  // The transaction takes the data handle, whatever its outcome.
  return DdeClientTransaction(reinterpret_cast<LPBYTE>(data), static_cast<DWORD>(-1), handle,
                              nullptr, CF_TEXT, XTYP_EXECUTE, kTransactionTimeout,
                              nullptr) != nullptr;
}

bool DdeReceive(uint32_t conversation, const char* item, std::string& text) {
  HCONV handle = OpenConversation(conversation);
  if (!handle) return false;
  HSZ itemName = DdeCreateStringHandleA(t_client->instance, item, CP_WINANSI);
  HDDEDATA data = DdeClientTransaction(nullptr, 0, handle, itemName, CF_TEXT, XTYP_REQUEST,
                                       kTransactionTimeout, nullptr);
  if (itemName) DdeFreeStringHandle(t_client->instance, itemName);
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
    HCONV handle = OpenConversation(conversation);
    if (!handle || !DdeDisconnect(handle)) return false;
    std::vector<HCONV>& open = t_client->open;
    open.erase(std::find(open.begin(), open.end(), handle));
  }
  if (!t_client->open.empty() || t_client->failedOpens != 0) return false;
  EndInstance();
  return true;
}

void DdeClientThreadEnd() {
  if (t_client) EndInstance();
}
