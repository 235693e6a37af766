#include "grusk_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace grusk_test {

namespace {

const char kIni[] = "KORVEX.INI";
const char kSection[] = "MAIN";

template <typename F>
void Bind(HMODULE library, const char* name, F* f) {
  *f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

bool ReadKey(const char* key, std::string* value) {
  char text[256] = "";
  // A default that no value has tells a missing key from an empty one.
  GetPrivateProfileStringA(kSection, key, "\x01", text, sizeof text, kIni);
  *value = text;
  return *value != "\x01";
}

std::string Utf8ToAnsi(const std::string& text) {
  if (text.empty()) return text;
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  int m = WideCharToMultiByte(1251, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(1251, 0, wide.data(), n, &out[0], m, nullptr, nullptr);
  return out;
}

bool WriteWhole(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fwrite(text.data(), 1, text.size(), f);
  return std::fclose(f) == 0;
}

// A fresh name under /tmp for this process: its Unix and Wine paths.
std::string UnixScratch(const char* what) {
  static int count;
  char name[96];
  std::snprintf(name, sizeof name, "/tmp/grusk_test_%lu_%d.%s", GetCurrentProcessId(), ++count, what);
  return name;
}
std::string WinePath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Single-quoted for bash.
std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

double Attribute(const std::string& tag, const char* name) {
  size_t at = tag.find(std::string(name) + "=\"");
  return at == std::string::npos ? -1 : std::atof(tag.c_str() + at + std::strlen(name) + 2);
}

struct DialogSearch {
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[32] = "", caption[128] = "";
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if (process == GetCurrentProcessId() && std::strcmp(className, "#32770") == 0 &&
      std::strcmp(caption, search->caption) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string ReadFileText(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

Grusk::Grusk() : library_(LoadLibraryA("GRUSK")) {
  Bind(library_, "SELFONT", &selFont);
  Bind(library_, "SETMARGIN", &setMargin);
  Bind(library_, "SELPRINTER", &selPrinter);
  Bind(library_, "PRNBOX", &prnBox);
  Bind(library_, "PRNCREATE", &prnCreate);
  Bind(library_, "PRNSTART", &prnStart);
  Bind(library_, "PRNSHOW", &prnShow);
  Bind(library_, "PRNSTOP", &prnStop);
  Bind(library_, "PRNFONT", &prnFont);
  Bind(library_, "PRNMARGIN", &prnMargin);
  Bind(library_, "PRNGETFONT", &prnGetFont);
}

Grusk::~Grusk() {
  if (library_) FreeLibrary(library_);
}

PrintKeys::PrintKeys() {
  hadMargin_ = ReadKey("PrintMargin", &margin_);
  hadFont_ = ReadKey("PrintFont", &font_);
}

PrintKeys::~PrintKeys() {
  Set(hadMargin_ ? margin_.c_str() : nullptr, hadFont_ ? font_.c_str() : nullptr);
}

void PrintKeys::Set(const char* margin, const char* font) {
  WritePrivateProfileStringA(kSection, "PrintMargin", margin, kIni);
  WritePrivateProfileStringA(kSection, "PrintFont", font, kIni);
}

std::string PrintKeys::Margin() {
  std::string value;
  return ReadKey("PrintMargin", &value) ? value : "(none)";
}

std::string PrintKeys::Font() {
  std::string value;
  return ReadKey("PrintFont", &value) ? value : "(none)";
}

OwnerWindow::OwnerWindow()
    : hwnd_(CreateWindowA("STATIC", "grusk owner", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                          nullptr, nullptr, nullptr)) {}

OwnerWindow::~OwnerWindow() { DestroyWindow(hwnd_); }

std::string RunUnix(const std::string& script, DWORD timeout, int* exitCode) {
  std::string body = UnixScratch("sh"), output = UnixScratch("out"), done = UnixScratch("done");
  if (exitCode) *exitCode = -1;
  // The exit code is written last, and by rename, so that it is whole
  // when it can be seen.
  std::string text = "(\n" + script + "\n) >" + output + " 2>&1\necho $? >" + done + ".tmp && mv " + done +
                     ".tmp " + done + "\n";
  if (!WriteWhole(WinePath(body), text)) return "";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "/bin/bash " + body;
  // Wine starts a Unix program as it is, and hands back no process handle.
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return "";
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  DWORD started = GetTickCount();
  while (GetFileAttributesA(WinePath(done).c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - started > timeout) return "";
    Sleep(50);
  }
  if (exitCode) *exitCode = std::atoi(ReadFileText(WinePath(done)).c_str());
  std::string result = Utf8ToAnsi(ReadFileText(WinePath(output)));
  DeleteFileA(WinePath(body).c_str());
  DeleteFileA(WinePath(output).c_str());
  DeleteFileA(WinePath(done).c_str());
  return result;
}

PdfWatch::PdfWatch() : marker_(UnixScratch("mark")) { RunUnix("touch " + marker_, 10000); }

PdfWatch::~PdfWatch() {
  DeleteFileA(WinePath(marker_).c_str());
  if (!found_.empty()) RunUnix("rm -f " + Quoted(found_), 10000);
}

std::string PdfWatch::Find(const std::string& title, int seconds) const {
  std::string script =
      "shopt -s nullglob\n"
      "for ((i = 0; i < " + std::to_string(seconds * 4) + "; i++)); do\n"
      "  for f in $(ls -t \"$HOME\"/PDF/*.pdf 2>/dev/null); do\n"
      "    [ \"$f\" -nt " + marker_ + " ] || continue\n"
      "    [ \"$(pdfinfo \"$f\" 2>/dev/null | sed -n 's/^Title: *//p')\" = " + Quoted(title) + " ] || continue\n"
      // Taken by a rename: a test suite beside this one that prints the
      // same title takes another file and never this one.
      "    mv \"$f\" \"$f.taken.$$\" 2>/dev/null && { echo \"$f.taken.$$\"; exit 0; }\n"
      "  done\n"
      "  sleep 0.25\n"
      "done\n"
      "exit 1";
  int code;
  std::string path = RunUnix(script, static_cast<DWORD>(seconds) * 1000 + 10000, &code);
  while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
  found_ = code == 0 ? path : "";
  return found_;
}

std::string PdfText(const std::string& pdf) { return RunUnix("pdftotext " + Quoted(pdf) + " -", 20000); }

std::vector<PdfWord> PdfWords(const std::string& pdf) {
  std::string html = RunUnix("pdftotext -bbox " + Quoted(pdf) + " -", 20000);
  std::vector<PdfWord> words;
  for (size_t at = html.find("<word "); at != std::string::npos; at = html.find("<word ", at + 1)) {
    size_t close = html.find('>', at), end = html.find("</word>", at);
    if (close == std::string::npos || end == std::string::npos) break;
    std::string tag = html.substr(at, close - at);
    words.push_back(PdfWord{Attribute(tag, "xMin"), Attribute(tag, "yMin"), Attribute(tag, "xMax"),
                            Attribute(tag, "yMax"), html.substr(close + 1, end - close - 1)});
  }
  return words;
}

const PdfWord* FindWord(const std::vector<PdfWord>& words, const std::string& text) {
  for (const PdfWord& word : words)
    if (word.text == text) return &word;
  return nullptr;
}

HWND WaitForDialog(const char* caption, DWORD timeout) {
  DWORD started = GetTickCount();
  for (;;) {
    DialogSearch search{caption, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found || GetTickCount() - started >= timeout) return search.found;
    Sleep(20);
  }
}

}  // namespace grusk_test
