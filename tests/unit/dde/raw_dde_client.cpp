#include "raw_dde_client.h"

#include <dde.h>

#include <cstring>

namespace dde_test {

namespace {

const char kClass[] = "KORVEX_RAW_DDE_CLIENT";

bool initiating = false;

void RegisterClientClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA c = {};
  c.lpfnWndProc = DefWindowProcA;
  c.hInstance = GetModuleHandleA(nullptr);
  c.lpszClassName = kClass;
  RegisterClassA(&c);
  registered = true;
}

}  // namespace

HGLOBAL MakeBlock(const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size ? size : 1);
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  std::memcpy(p, bytes, size);
  GlobalUnlock(block);
  return block;
}

HGLOBAL MakeTextBlock(const std::string& text) { return MakeBlock(text.c_str(), text.size() + 1); }

void Pump(DWORD ms) {
  DWORD started = GetTickCount();
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (GetTickCount() - started < ms);
}

RawDdeClient::RawDdeClient() {
  RegisterClientClass();
  window_ = CreateWindowExA(0, kClass, "raw client", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure));
}

RawDdeClient::~RawDdeClient() { DestroyWindow(window_); }

LRESULT CALLBACK RawDdeClient::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<RawDdeClient*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || message <= WM_DDE_INITIATE || message > WM_DDE_LAST)
    return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_DDE_TERMINATE && self->answerTerminate)
    PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_TERMINATE,
                 reinterpret_cast<WPARAM>(window), 0);
  DdeMessage got{message, reinterpret_cast<HWND>(wParam), 0, 0};
  if ((message == WM_DDE_ACK && !initiating) || message == WM_DDE_DATA) {
    UnpackDDElParam(message, lParam, &got.low, &got.high);
    FreeDDElParam(message, lParam);
  } else {
    got.low = LOWORD(lParam);
    got.high = HIWORD(lParam);
  }
  self->messages_.push_back(got);
  return 0;
}

HWND RawDdeClient::Initiate(HWND to, const char* service, const char* topic) {
  ATOM s = service ? GlobalAddAtomA(service) : 0;
  ATOM t = topic ? GlobalAddAtomA(topic) : 0;
  size_t before = messages_.size();
  initiating = true;
  if (to)
    SendMessageA(to, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_), MAKELPARAM(s, t));
  else
    SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_),
                        MAKELPARAM(s, t), SMTO_ABORTIFHUNG, 3000, nullptr);
  initiating = false;
  if (s) GlobalDeleteAtom(s);
  if (t) GlobalDeleteAtom(t);
  HWND server = nullptr;
  for (size_t i = before; i < messages_.size();) {
    if (messages_[i].message != WM_DDE_ACK) {
      ++i;
      continue;
    }
    if (!server) server = messages_[i].from;
    GlobalDeleteAtom(static_cast<ATOM>(messages_[i].low));
    GlobalDeleteAtom(static_cast<ATOM>(messages_[i].high));
    messages_.erase(messages_.begin() + static_cast<long>(i));
  }
  return server;
}

void RawDdeClient::Advise(HWND server, const char* item, bool deferred, bool ackRequested) {
  DDEADVISE options = {};
  options.fDeferUpd = deferred;
  options.fAckReq = ackRequested;
  options.cfFormat = CF_TEXT;
  AdviseWithBlock(server, MakeBlock(&options, sizeof options), GlobalAddAtomA(item));
}

void RawDdeClient::AdviseWithBlock(HWND server, HGLOBAL options, ATOM item) {
  PostMessageA(server, WM_DDE_ADVISE, reinterpret_cast<WPARAM>(window_),
               PackDDElParam(WM_DDE_ADVISE, reinterpret_cast<UINT_PTR>(options), item));
}

void RawDdeClient::SendAdvise(HWND server, HGLOBAL options, ATOM item) {
  SendMessageA(server, WM_DDE_ADVISE, reinterpret_cast<WPARAM>(window_),
               PackDDElParam(WM_DDE_ADVISE, reinterpret_cast<UINT_PTR>(options), item));
}

void RawDdeClient::SendExecute(HWND server, HGLOBAL commands) {
  SendMessageA(server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(window_),
               reinterpret_cast<LPARAM>(commands));
}

void RawDdeClient::Unadvise(HWND server, ATOM item) {
  PostMessageA(server, WM_DDE_UNADVISE, reinterpret_cast<WPARAM>(window_), MAKELPARAM(0, item));
}

void RawDdeClient::Request(HWND server, const char* item) {
  PostMessageA(server, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(window_),
               MAKELPARAM(CF_TEXT, GlobalAddAtomA(item)));
}

void RawDdeClient::Execute(HWND server, HGLOBAL commands) {
  PostMessageA(server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(window_),
               reinterpret_cast<LPARAM>(commands));
}

void RawDdeClient::Terminate(HWND server) {
  PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_), 0);
}

bool RawDdeClient::Next(UINT message, DdeMessage& got, DWORD timeout) {
  DWORD started = GetTickCount();
  for (;;) {
    for (auto m = messages_.begin(); m != messages_.end(); ++m) {
      if (m->message != message) continue;
      got = *m;
      messages_.erase(m);
      return true;
    }
    if (GetTickCount() - started >= timeout) return false;
    Pump(5);
  }
}

std::string RawDdeClient::DataText(HGLOBAL block, WORD* flags) {
  if (!block) return "<null>";
  const char* p = static_cast<const char*>(GlobalLock(block));
  if (!p) return "<unreadable>";
  if (flags) std::memcpy(flags, p, 2);
  std::string text(p + 4);
  GlobalUnlock(block);
  return text;
}

}  // namespace dde_test
