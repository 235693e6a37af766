// A DDE client on raw WM_DDE_* messages, for what the management library
// never sends: a second INITIATE, UNADVISE of item 0, damaged blocks. Its
// window records every DDE message it gets; the caller pumps messages.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace dde_test {

struct DdeMessage {
  UINT message;
  HWND from;
  UINT_PTR low;   // unpacked: status, data block; the service atom
  UINT_PTR high;  // item atom or command block; the topic atom
};

class RawDdeClient {
 public:
  RawDdeClient();
  ~RawDdeClient();
  RawDdeClient(const RawDdeClient&) = delete;
  RawDdeClient& operator=(const RawDdeClient&) = delete;

  HWND Window() const { return window_; }
  // Sends WM_DDE_INITIATE to one window (to every top-level window when to
  // is null) and returns the first answering server window, or null. The
  // atoms of the answers are deleted, as a client does.
  HWND Initiate(HWND to, const char* service, const char* topic);
  // Posts to the server; the atom of an item named is a new reference.
  void Advise(HWND server, const char* item, bool deferred, bool ackRequested);
  void AdviseWithBlock(HWND server, HGLOBAL options, ATOM item);
  void Unadvise(HWND server, ATOM item);
  void Request(HWND server, const char* item);
  void Execute(HWND server, HGLOBAL commands);
  void Terminate(HWND server);
  // Sent, not posted: blocks that Wine refuses to post reach the server
  // of this process as they are.
  void SendAdvise(HWND server, HGLOBAL options, ATOM item);
  void SendExecute(HWND server, HGLOBAL commands);

  // Pumps until a message of the kind has come (it is taken from the
  // record) or timeout ms passed; false then.
  bool Next(UINT message, DdeMessage& got, DWORD timeout = 3000);
  // Messages recorded and not taken yet.
  std::vector<DdeMessage> Pending() const { return messages_; }
  void Clear() { messages_.clear(); }
  // A TERMINATE that comes is answered at once, as a client does.
  bool answerTerminate = false;

  // The text of a data block (null: "<null>") and its flag word.
  static std::string DataText(HGLOBAL block, WORD* flags = nullptr);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::vector<DdeMessage> messages_;
};

// A global block with the bytes given (GMEM_MOVEABLE | GMEM_DDESHARE).
HGLOBAL MakeBlock(const void* bytes, size_t size);
HGLOBAL MakeTextBlock(const std::string& text);

// Dispatches this thread's messages for ms milliseconds.
void Pump(DWORD ms);

}  // namespace dde_test
