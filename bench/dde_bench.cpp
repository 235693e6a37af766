// DDE benchmark (run by hand): one client of the management library in
// this process against korvex.exe and, beside it on the same client code,
// Wine's Program Manager.
//   - 1,000 REQUESTs in one conversation: Progman's Groups (or the item
//     named on the command line), then korvex's X holding a text that
//     makes its answer the same size; only answered requests are timed and
//     counted (Progman refuses some of those on Groups);
//   - a loop of 10,000 stores into a hot-linked X: the time the loop takes
//     in korvex and until the client has the last value, once with the
//     client taking the values as they come and once with them queued
//     until the loop is over (korvex's own share).
//
//   source tools/wine-env.sh && korvex_wine_up
//   wine build/bin/dde_bench.exe [Progman item]
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "korvex_session.h"

namespace {

const int kRequests = 1000;
const int kStores = 10000;
const char kProgmanItem[] = "Groups";

DWORD instance = 0;
int advised = 0;
std::string lastValue;

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
  if (type != XTYP_ADVDATA) return nullptr;
  ++advised;
  DWORD size = 0;
  const char* bytes = reinterpret_cast<const char*>(DdeAccessData(data, &size));
  if (bytes) lastValue.assign(bytes, strnlen(bytes, size));
  DdeUnaccessData(data);
  return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

void DispatchQueued() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

HCONV Connect(const char* service, const char* topic) {
  HSZ s = DdeCreateStringHandleA(instance, service, CP_WINANSI);
  HSZ t = DdeCreateStringHandleA(instance, topic, CP_WINANSI);
  HCONV c = DdeConnect(instance, s, t, nullptr);
  DdeFreeStringHandle(instance, s);
  DdeFreeStringHandle(instance, t);
  return c;
}

// kRequests requests of the item in one conversation; only the answered
// ones are timed and counted (a server may refuse some).
struct Requests {
  int answered = 0;
  double seconds = 0;   // of the answered requests
  double refused = 0;   // of the others
  DWORD bytes = 0;      // the size of an answer
};

Requests TimeRequests(HCONV c, const char* item) {
  HSZ i = DdeCreateStringHandleA(instance, item, CP_WINANSI);
  Requests r;
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);
  for (int n = 0; n < kRequests; ++n) {
    DispatchQueued();  // what a server posted besides its answers
    QueryPerformanceCounter(&t0);
    HDDEDATA d = DdeClientTransaction(nullptr, 0, c, i, CF_TEXT, XTYP_REQUEST, 1000, nullptr);
    QueryPerformanceCounter(&t1);
    double seconds = double(t1.QuadPart - t0.QuadPart) / f.QuadPart;
    if (d) {
      ++r.answered;
      r.seconds += seconds;
      r.bytes = DdeGetData(d, nullptr, 0, 0);
      DdeFreeDataHandle(d);
    } else {
      r.refused += seconds;
    }
  }
  DdeFreeStringHandle(instance, i);
  return r;
}

void PrintRequests(const char* what, const Requests& r) {
  std::printf("%d requests  %-16s %4d answered (%lu bytes each) in %.3f s, %.1f us each;"
              " %d refused in %.3f s\n",
              kRequests, what, r.answered, r.bytes, r.seconds, r.answered ? 1e6 * r.seconds / r.answered : 0.0,
              kRequests - r.answered, r.refused);
}

volatile DWORD loopDone = 0;

DWORD WINAPI RunStores(LPVOID window) {
  SendMessageA(static_cast<HWND>(window), WM_COMMAND, 40102, 0);
  loopDone = GetTickCount();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (DdeInitializeA(&instance, Callback, APPCLASS_STANDARD | APPCMD_CLIENTONLY, 0)) return 1;
  const char* progmanItem = argc > 1 ? argv[1] : kProgmanItem;
  HCONV p = Connect("Progman", "Progman");
  if (!p) {
    std::printf("no conversation with Progman\n");
    return 1;
  }
  Requests progman = TimeRequests(p, progmanItem);
  // X holds a text that makes korvex's answer as large as Progman's:
  // korvex's data holds the text, its closing zero and one zero more.
  std::string value(progman.bytes > 2 ? progman.bytes - 2 : 1, 'x');
  host_test::KorvexSession korvex;
  if (!korvex.Start("ddebench.bas",
                    "REM WINDOW\r\nX = \"" + value + "\"\r\nEVENT 40102, STORES\r\nEND\r\n"
                    "STORES:\r\nFOR I = 1 TO 10000\r\n  X = I\r\nNEXT\r\nEND 1\r\n") ||
      !korvex.Script()) {
    std::printf("korvex did not start\n");
    return 1;
  }
  HCONV k = Connect("KORVEX", "DDEBENCH");
  if (!k) {
    std::printf("no conversation with korvex\n");
    return 1;
  }
  Requests korvexX = TimeRequests(k, "X");
  PrintRequests("korvex X", korvexX);
  PrintRequests((std::string("Progman ") + progmanItem).c_str(), progman);
  if (korvexX.answered && progman.answered)
    std::printf("answered requests, time each: Progman / korvex %.2f\n",
                (progman.seconds / progman.answered) / (korvexX.seconds / korvexX.answered));

  DWORD unlinked = GetTickCount();
  RunStores(korvex.Script());
  std::printf("%d stores into X without a link: the loop ran %lu ms\n", kStores,
              loopDone - unlinked);

  HSZ x = DdeCreateStringHandleA(instance, "X", CP_WINANSI);
  DdeClientTransaction(nullptr, 0, k, x, CF_TEXT, XTYP_ADVSTART, 2000, nullptr);
  DdeFreeStringHandle(instance, x);
  // Once with this thread taking the values as they come, once with the
  // values queued until the loop is over: the server's own share.
  for (bool drain : {true, false}) {
    advised = 0;
    lastValue.clear();
    DWORD started = GetTickCount();
    HANDLE sender = CreateThread(nullptr, 0, RunStores, korvex.Script(), 0, nullptr);
    if (!drain) WaitForSingleObject(sender, 30000);
    while (lastValue != "10000" && GetTickCount() - started < 30000) {
      DispatchQueued();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    DWORD lastCame = GetTickCount() - started;
    WaitForSingleObject(sender, 30000);
    CloseHandle(sender);
    std::printf("%d stores into a hot-linked X, values %s: the loop ran %lu ms; last value \"%s\""
                " after %lu ms, %d values came\n",
                kStores, drain ? "taken as they come" : "queued", loopDone - started,
                lastValue.c_str(), lastCame, advised);
  }
  DdeDisconnect(k);
  DdeDisconnect(p);
  DdeUninitialize(instance);
  return 0;
}
