#include "ddeml_client.h"

#include <cstring>

#include "raw_dde_client.h"

namespace dde_test {

namespace {

DdemlClient* current = nullptr;

}  // namespace

DdemlClient::DdemlClient() {
  current = this;
  DdeInitializeA(&instance_, Callback, APPCLASS_STANDARD | APPCMD_CLIENTONLY, 0);
}

DdemlClient::~DdemlClient() {
  DdeUninitialize(instance_);
  current = nullptr;
}

HSZ DdemlClient::Name(const char* text) const {
  return text ? DdeCreateStringHandleA(instance_, text, CP_WINANSI) : nullptr;
}

std::string DdemlClient::Text(HSZ name) const {
  char text[256] = "";
  DdeQueryStringA(instance_, name, text, sizeof text, CP_WINANSI);
  return text;
}

HDDEDATA CALLBACK DdemlClient::Callback(UINT type, UINT, HCONV, HSZ, HSZ item, HDDEDATA data,
                                        ULONG_PTR, ULONG_PTR) {
  if (!current) return nullptr;
  if (type == XTYP_DISCONNECT) ++current->disconnects;
  if (type != XTYP_ADVDATA) return nullptr;
  AdviseData got{current->Text(item), data == nullptr, ""};
  if (data) {
    DWORD size = 0;
    const char* bytes = reinterpret_cast<const char*>(DdeAccessData(data, &size));
    if (bytes) got.text.assign(bytes, strnlen(bytes, size));
    DdeUnaccessData(data);
  }
  current->data.push_back(got);
  return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

HCONV DdemlClient::Connect(const char* service, const char* topic) {
  HSZ s = Name(service), t = Name(topic);
  HCONV conversation = DdeConnect(instance_, s, t, nullptr);
  // Freed at once: the atoms live on only where the server keeps them.
  if (s) DdeFreeStringHandle(instance_, s);
  if (t) DdeFreeStringHandle(instance_, t);
  return conversation;
}

bool DdemlClient::Disconnect(HCONV conversation) { return DdeDisconnect(conversation) != 0; }

std::string DdemlClient::Request(HCONV conversation, const char* item, DWORD timeout) {
  HSZ i = Name(item);
  HDDEDATA data =
      DdeClientTransaction(nullptr, 0, conversation, i, CF_TEXT, XTYP_REQUEST, timeout, nullptr);
  DdeFreeStringHandle(instance_, i);
  if (!data) return "<failed>";
  DWORD size = 0;
  const char* bytes = reinterpret_cast<const char*>(DdeAccessData(data, &size));
  std::string text = bytes ? std::string(bytes, strnlen(bytes, size)) : "<unreadable>";
  DdeUnaccessData(data);
  DdeFreeDataHandle(data);
  return text;
}

bool DdemlClient::Execute(HCONV conversation, const char* command, DWORD timeout) {
  return DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command)),
                              static_cast<DWORD>(std::strlen(command) + 1), conversation, nullptr,
                              CF_TEXT, XTYP_EXECUTE, timeout, nullptr) != nullptr;
}

bool DdemlClient::AdviseStart(HCONV conversation, const char* item, UINT flags) {
  HSZ i = Name(item);
  HDDEDATA ok = DdeClientTransaction(nullptr, 0, conversation, i, CF_TEXT, XTYP_ADVSTART | flags,
                                     2000, nullptr);
  DdeFreeStringHandle(instance_, i);
  return ok != nullptr;
}

bool DdemlClient::AdviseStop(HCONV conversation, const char* item) {
  HSZ i = Name(item);
  HDDEDATA ok =
      DdeClientTransaction(nullptr, 0, conversation, i, CF_TEXT, XTYP_ADVSTOP, 2000, nullptr);
  DdeFreeStringHandle(instance_, i);
  return ok != nullptr;
}

bool DdemlClient::WaitForData(size_t count, DWORD timeout) {
  DWORD started = GetTickCount();
  while (data.size() < count) {
    if (GetTickCount() - started >= timeout) return false;
    Pump(5);
  }
  return true;
}

bool DdemlClient::WaitForDisconnect(HCONV conversation, DWORD timeout) {
  DWORD started = GetTickCount();
  for (;;) {
    CONVINFO info;
    std::memset(&info, 0, sizeof info);
    info.cb = sizeof info;
    bool connected = DdeQueryConvInfo(conversation, QID_SYNC, &info) && (info.wStatus & ST_CONNECTED);
    if (disconnects > 0 || !connected) return true;
    if (GetTickCount() - started >= timeout) return false;
    Pump(5);
  }
}

}  // namespace dde_test
