// Work a library must do on the thread of a window it was handed: a window
// made as its child belongs to the thread that makes it, and only the GUI
// thread, which runs every window procedure, pumps the messages of a script
// window's children. A script body on its own thread has it done there.
#pragma once
#include <windows.h>

#include <type_traits>

// Runs run(context) on the thread of window and returns its result: at once
// on that thread; otherwise the caller waits while a hook of that thread
// runs it as the window receives a message sent for it. 0 when the window
// is gone or the hook cannot be set.
LRESULT RunOnWindowThread(HWND window, LRESULT (*run)(void* context), void* context);

// The same for a callable taking nothing and giving a value that fits an
// LRESULT.
template <class Work>
LRESULT RunOnWindowThread(HWND window, Work&& work) {
  using Plain = typename std::remove_reference<Work>::type;
  return RunOnWindowThread(
      window, [](void* context) { return static_cast<LRESULT>((*static_cast<Plain*>(context))()); },
      const_cast<void*>(static_cast<const void*>(&work)));
}

// A work's result through an LRESULT and back: pointers and handles by
// their bits, numbers by value.
template <class T>
LRESULT ToWindowThreadResult(T value) {
  if constexpr (std::is_pointer<T>::value) return reinterpret_cast<LRESULT>(value);
  else return static_cast<LRESULT>(value);
}
template <class T>
T FromWindowThreadResult(LRESULT value) {
  if constexpr (std::is_pointer<T>::value) return reinterpret_cast<T>(value);
  else return static_cast<T>(value);
}

// An export's work on the thread of the window it names, giving the work's
// own result (a zero one when the window went away meanwhile). A handle
// that names no window runs the work here, where the work refuses it.
template <class Work>
auto OnThreadOf(HWND window, Work work) -> decltype(work()) {
  using Result = decltype(work());
  if (!IsWindow(window)) return work();
  if constexpr (std::is_void<Result>::value)
    RunOnWindowThread(window, [&] {
      work();
      return LRESULT(0);
    });
  else
    return FromWindowThreadResult<Result>(
        RunOnWindowThread(window, [&] { return ToWindowThreadResult(work()); }));
}
