// An export's work run on the thread of the window it names: results of
// every kind come back whole across the threads, and a handle that names
// no window runs the work on the caller's thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "host_test_support.h"
#include "window_thread_call.h"

namespace {

// Runs ask on a thread of its own while this thread, the window's, takes
// its messages.
template <class Ask>
void AskFromAnotherThread(Ask ask) {
  std::atomic<bool> done{false};
  std::thread asking([&] {
    ask();
    done = true;
  });
  EXPECT_TRUE(host_test::PumpUntil([&] { return done.load(); }, 30000));
  asking.join();
}

TEST(WindowThread, ResultsOfEveryKindComeBackWhole) {
  HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  const DWORD windowThread = GetCurrentThreadId();
  // A handle with its top bit set, a negative number and a work without a
  // result, each done where the window lives.
  HFONT font = reinterpret_cast<HFONT>(static_cast<uintptr_t>(0x80000F04u));
  HFONT gotFont = nullptr;
  long gotNumber = 0;
  DWORD ranOn[3] = {};
  AskFromAnotherThread([&] {
    gotFont = OnThreadOf(window, [&] {
      ranOn[0] = GetCurrentThreadId();
      return font;
    });
    gotNumber = OnThreadOf(window, [&] {
      ranOn[1] = GetCurrentThreadId();
      return -70000L;
    });
    OnThreadOf(window, [&] { ranOn[2] = GetCurrentThreadId(); });
  });
  EXPECT_EQ(font, gotFont);
  EXPECT_EQ(-70000L, gotNumber);
  for (DWORD thread : ranOn) EXPECT_EQ(windowThread, thread);

  // No window: the work runs on the caller's own thread.
  DestroyWindow(window);
  DWORD callerThread = 0, ranHere = 0;
  AskFromAnotherThread([&] {
    callerThread = GetCurrentThreadId();
    EXPECT_EQ(7, OnThreadOf(window, [&] {
                ranHere = GetCurrentThreadId();
                return 7;
              }));
  });
  EXPECT_EQ(callerThread, ranHere);
  EXPECT_NE(windowThread, ranHere);
}

}  // namespace
