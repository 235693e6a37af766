// Support of the page view's window tests: Selvy.dll called the way the
// binder calls it, an owner window, and a second thread that drives the
// modal windows (dialogs, popup menus) the view opens meanwhile.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "page_view.h"
#include "sample_pages.h"

namespace selvy_test {

// Selvy.dll loaded by its module name, each export by name.
class Selvy {
 public:
  Selvy();
  ~Selvy();
  Selvy(const Selvy&) = delete;
  Selvy& operator=(const Selvy&) = delete;
  HMODULE module() const { return module_; }

  LONG(WINAPI* load)(LONG hwnd, LONG file);
  BOOL(WINAPI* show)(LONG view);
  void(WINAPI* unload)(LONG view);
  LONG(WINAPI* hWnd)(LONG view);
  LONG(WINAPI* pageCount)(LONG view);
  LONG(WINAPI* pageNumber)(LONG view);
  LONG(WINAPI* event)(LONG view, const char* msg, LONG code);

 private:
  HMODULE module_;
};

// A top-level window titled "KvxView" at the screen's top left, shown
// when asked (a view paints only inside a shown owner).
class Owner {
 public:
  explicit Owner(bool shown, int width = 800, int height = 600);
  ~Owner();
  HWND hwnd() const { return hwnd_; }
  LONG handle() const { return static_cast<LONG>(reinterpret_cast<intptr_t>(hwnd_)); }

 private:
  HWND hwnd_;
};

inline HWND ViewWindow(LONG view) { return reinterpret_cast<HWND>(static_cast<intptr_t>(view)); }
inline PageView* ViewObject(LONG view) {
  return reinterpret_cast<PageView*>(GetWindowLongPtrA(ViewWindow(view), 0));
}
inline LONG Handle(HANDLE file) { return static_cast<LONG>(reinterpret_cast<intptr_t>(file)); }

// A view of P (loaded from a scratch file), shown and painted when asked.
LONG LoadP(Selvy& selvy, const Owner& owner, bool shown);

void Pump(DWORD milliseconds);
// Keys as the view gets them.
void Key(LONG view, WPARAM key);

// Runs call while a second thread waits (up to 15 s) for a shown window
// of this process of the class with the title (null: any) and hands it to
// act; true when it acted.
bool WithWindow(const char* className, const char* title, std::function<void(HWND)> act,
                std::function<void()> call);
// Wine's open and save dialogs: the name typed, then OK.
void AnswerFileDialog(HWND dialog, const std::string& path);
// A popup menu's item texts (separators as "-") and the choice of one by
// the keyboard ("" closes the menu).
std::vector<std::string> MenuItems(HWND popup);
void ChooseMenuItem(HWND popup, const std::string& text);

// A file of the scratch folder (the temporary directory) in Windows form.
std::string ScratchPath(const std::string& name);
std::string ReadText(const std::string& path);

// A picture of the window as the screen shows it (BitBlt of the screen
// DC), saved as shots/<name>.bmp in the build tree.
bool SaveScreenshot(HWND window, const std::string& name);

// The view's scale rule, worked out here from the screen's metrics of the
// page's first font: the screen point of a page point (no scrolling).
struct ScaleRule {
  double x, y;
  int X(int pageX) const { return static_cast<int>(pageX * x); }
  int Y(int pageY) const { return static_cast<int>(pageY * y); }
};
ScaleRule ScreenScaleOf(const char* face, int points, bool bold, int charWidth, int lineHeight);

}  // namespace selvy_test
