// A client of the DDE management library for the tests: connects,
// requests, executes and keeps advise loops, recording the data and
// disconnects that its callback gets. One at a time in a process.
#pragma once
#include <windows.h>
#include <ddeml.h>

#include <string>
#include <vector>

namespace dde_test {

struct AdviseData {
  std::string item;
  bool null;  // a warm link's notice: no data
  std::string text;
};

class DdemlClient {
 public:
  DdemlClient();
  ~DdemlClient();
  DdemlClient(const DdemlClient&) = delete;
  DdemlClient& operator=(const DdemlClient&) = delete;

  // Service or topic null: any.
  HCONV Connect(const char* service, const char* topic);
  bool Disconnect(HCONV conversation);
  // The item's text, or "<failed>".
  std::string Request(HCONV conversation, const char* item, DWORD timeout = 2000);
  bool Execute(HCONV conversation, const char* command, DWORD timeout = 2000);
  bool AdviseStart(HCONV conversation, const char* item, UINT flags = 0);
  bool AdviseStop(HCONV conversation, const char* item);

  // Pumps until count advise data have come or timeout ms passed.
  bool WaitForData(size_t count, DWORD timeout = 3000);
  // Pumps until the server has ended the conversation. (Wine's library
  // marks it ended without calling back with XTYP_DISCONNECT.)
  bool WaitForDisconnect(HCONV conversation, DWORD timeout = 5000);

  std::vector<AdviseData> data;
  int disconnects = 0;

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ topic,
                                    HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR);
  std::string Text(HSZ name) const;
  HSZ Name(const char* text) const;
  DWORD instance_ = 0;
};

}  // namespace dde_test
