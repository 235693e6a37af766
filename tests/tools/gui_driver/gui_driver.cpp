#include "gui_driver.h"

#include <algorithm>
#include <cstring>

namespace gui {

namespace {

const DWORD kSendTimeout = 5000;

struct WindowSearch {
  DWORD process;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process) search->found.push_back(window);
  return TRUE;
}

bool ClassIs(HWND window, const char* className) {
  return !className || _stricmp(ClassOf(window).c_str(), className) == 0;
}

}  // namespace

Program::~Program() {
  if (!process_) return;
  if (Running()) {
    TerminateProcess(process_, 999);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool Program::Start(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return false;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  return true;
}

DWORD Program::WaitExit(DWORD timeout) {
  if (!process_ || WaitForSingleObject(process_, timeout) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

bool Program::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> Program::Windows() const {
  WindowSearch search{id_, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Program::WaitForWindow(const char* className, const char* title, DWORD timeout) const {
  HWND result = nullptr;
  WaitFor(
      [&] {
        for (HWND window : Windows()) {
          if (!ClassIs(window, className)) continue;
          if (title && WindowText(window) != title) continue;
          result = window;
          return true;
        }
        return false;
      },
      timeout);
  return result;
}

std::vector<HWND> Children(HWND parent, const char* className) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (ClassIs(child, className)) children.push_back(child);
  return children;
}

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string WindowText(HWND window) {
  char text[1024] = "";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, kSendTimeout, &length))
    return std::string();
  return std::string(text, std::strlen(text));
}

bool WaitUntilShown(HWND window, DWORD timeout) {
  return WaitFor([&] { return IsWindowVisible(window) != 0; }, timeout);
}

std::string MessageBoxText(HWND box) {
  std::string text;
  for (HWND control : Children(box, "Static")) {
    std::string piece = WindowText(control);
    if (piece.empty()) continue;
    if (!text.empty()) text += '\n';
    text += piece;
  }
  return text;
}

std::string WaitForMessageBoxText(HWND box, DWORD timeout) {
  std::string text;
  WaitFor([&] { return !(text = MessageBoxText(box)).empty() || !IsWindow(box); }, timeout);
  return text;
}

std::vector<std::string> ListBoxItems(HWND listBox) {
  // Asked in Unicode: Wine hands another process's item texts back wide
  // even to an ANSI caller. The texts are turned into the ANSI code page.
  std::vector<std::string> items;
  auto sendW = [&](UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = static_cast<DWORD_PTR>(LB_ERR);
    SendMessageTimeoutW(listBox, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeout, &result);
    return static_cast<LRESULT>(result);
  };
  LRESULT count = sendW(LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = sendW(LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) break;
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = sendW(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&wide[0]));
    int n = got > 0 ? static_cast<int>(got) : 0;
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), n, &text[0], bytes, nullptr, nullptr);
    items.push_back(text);
  }
  return items;
}

void AnswerMessageBox(HWND box, int button) {
  HWND control = GetDlgItem(box, button);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeout, &result);
  return static_cast<LRESULT>(result);
}

void UseUnmanagedWindows() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  const char* name = std::strrchr(path, '\\') ? std::strrchr(path, '\\') + 1 : path;
  std::string key = std::string("Software\\Wine\\AppDefaults\\") + name + "\\X11 Driver";
  HKEY handle;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(handle, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
  RegCloseKey(handle);
}

BoxWatcher::BoxWatcher(std::vector<int> answers)
    : answers_(std::move(answers)), thread_([this] { Run(); }) {}

BoxWatcher::~BoxWatcher() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stop_ = true;
  }
  thread_.join();
}

std::vector<BoxWatcher::Box> BoxWatcher::Boxes() const {
  std::lock_guard<std::mutex> guard(lock_);
  return boxes_;
}

void BoxWatcher::Reset(std::vector<int> answers) {
  std::lock_guard<std::mutex> guard(lock_);
  answers_ = std::move(answers);
  next_ = 0;
  boxes_.clear();
}

void BoxWatcher::Run() {
  const DWORD self = GetCurrentProcessId();
  for (;;) {
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (stop_) return;
      // A closed box's handle may come back for a later one.
      std::vector<HWND> open;
      for (HWND box : answered_)
        if (IsWindow(box)) open.push_back(box);
      answered_.swap(open);
    }
    WindowSearch search{self, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found) {
      if (!IsWindowVisible(window) || !ClassIs(window, "#32770")) continue;
      bool seen;
      {
        std::lock_guard<std::mutex> guard(lock_);
        seen = std::find(answered_.begin(), answered_.end(), window) != answered_.end();
      }
      if (!seen) Answer(window);
    }
    Sleep(20);
  }
}

void BoxWatcher::Answer(HWND box) {
  Box record;
  record.caption = WindowText(box);
  record.text = MessageBoxText(box);
  // Under load a box can show before its caption and text are set: give
  // it a moment.
  for (int tries = 0; (record.text.empty() || record.caption.empty()) && tries < 100 && IsWindow(box);
       ++tries) {
    Sleep(20);
    record.caption = WindowText(box);
    record.text = MessageBoxText(box);
  }
  for (int id = IDOK; id <= IDNO; ++id)
    if (GetDlgItem(box, id)) record.buttons.push_back(id);
  std::lock_guard<std::mutex> guard(lock_);
  int answer = answers_.empty() ? IDOK : answers_[next_ < answers_.size() ? next_ : answers_.size() - 1];
  ++next_;
  if (!GetDlgItem(box, answer)) answer = IDOK;
  record.answer = answer;
  boxes_.push_back(record);
  answered_.push_back(box);
  AnswerMessageBox(box, answer);
}

RECT ScreenRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

RECT ClientRectInParent(HWND window) {
  RECT r = ScreenRect(window);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace gui
