// Test tool: loads a .bas script, runs it in an interpreter, and prints what
// a test compares: PRINT output, the run's result, the error (number, text,
// failing line) and the values of chosen variables.
//
//   script_runner [--time] script.bas [NAME ...]
//
// Without names on the command line, a first script line "' show: A B C"
// chooses them ('$' names from the process table); without either, every
// variable of the script's own table is shown in list order.
//
// The script runs with a hidden window in its variable HWND, so that WRITE
// has a buffer; a text left in that buffer is shown after the run. The
// test statement TYPEFILE name prints a file's bytes.
// Output is UTF-8 (texts of the system and of scripts are code page 1251).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "interpreter.h"
#include "library_binder.h"
#include "script_loader.h"
#include "shared_variables.h"
#include "wennic.h"
#include "window_buffer.h"

namespace {

std::string ToUtf8(const std::string& text) {
  if (text.empty()) return text;
  int n = MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, &out[0], m, nullptr, nullptr);
  return out;
}

std::string ValueText(const VARIABLE& v) {
  char buffer[512];
  const char* type = VARIABLE::TypeName(v.type);
  std::string text = v.GetText(buffer, sizeof buffer, 1) ? buffer : "";
  return std::string(type ? type : "?") + ":" + ToUtf8(text);
}

// Bytes as printable ASCII: tab, CR and LF as \t \r \n, others as \xHH.
std::string Escaped(const char* text, size_t length) {
  std::string out;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    char hex[8];
    if (c == '\t') out += "\\t";
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\\') out += "\\\\";
    else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
    else {
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string MessageText(uint32_t number) {
  char text[256] = "";
  ERRTXT(static_cast<int>(number), text, sizeof text);
  return ToUtf8(text);
}

class ScriptRunner : public Interpreter {
 public:
  const char* failedAt = nullptr;

  void OnError(const char* position) override { failedAt = position; }

  // PRINT expression, expression, ...: each value's text, one line.
  int ExecUnknownStatement(const char* word) override {
    if (_stricmp(word, "TYPEFILE") == 0) return TypeFile();
    if (_stricmp(word, "PRINT") != 0) return 0;
    const char* p = Position();
    uint16_t base = Depth();
    int count = 0;
    while (!IsStatementEnd(*p)) {
      if (Evaluate(p)) return 1;  // the error is set; the run ends
      ++count;
      while (*p == ' ') ++p;
      if (*p == ',') ++p;
      else if (!IsStatementEnd(*p)) {
        SetError(112);
        return 1;
      }
    }
    std::string line;
    for (int i = 0; i < count; ++i) {
      char buffer[512];
      VARIABLE* v = Stack().Item(static_cast<uint16_t>(base + i));
      if (i) line += ' ';
      line += ToUtf8(v->GetText(buffer, sizeof buffer, 0) ? buffer : "");
    }
    DropTo(base);
    SetPosition(p);
    std::printf("%s\n", line.c_str());
    return 1;
  }

  // TYPEFILE name: "file: " and the bytes, or "file: missing".
  int TypeFile() {
    const char* p = Position();
    uint16_t base = Depth();
    if (Evaluate(p)) return 1;
    if (Depth() == base || Stack().Item(base)->type != VAL_STRING) {
      SetError(116);
      return 1;
    }
    const char* name = Stack().Item(base)->text;
    std::string bytes;
    FILE* f = std::fopen(name ? name : "", "rb");
    if (f) {
      char chunk[512];
      for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, n);
      std::fclose(f);
      std::printf("file: %s\n", Escaped(bytes.data(), bytes.size()).c_str());
    } else {
      std::printf("file: missing\n");
    }
    DropTo(base);
    SetPosition(p);
    return 1;
  }
};

// The hidden window whose handle the script finds in HWND.
HWND MakeScriptWindow() {
  WNDCLASSA kind = {};
  kind.lpfnWndProc = DefWindowProcA;
  kind.hInstance = GetModuleHandleA(nullptr);
  kind.lpszClassName = "KorvexScriptRunner";
  RegisterClassA(&kind);
  return CreateWindowA("KorvexScriptRunner", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                       nullptr, kind.hInstance, nullptr);
}

void ShowBuffer(HWND window) {
  HGLOBAL block = GetWindowBuffer(window);
  if (!block) return;
  const char* text = static_cast<const char*>(GlobalLock(block));
  std::printf("buffer: %s\n", Escaped(text, std::strlen(text)).c_str());
  GlobalUnlock(block);
}

// The names of a first line "' show: A B".
std::vector<std::string> ShownNames(const char* path) {
  std::vector<std::string> names;
  FILE* f = std::fopen(path, "rb");
  if (!f) return names;
  char line[512] = "";
  if (std::fgets(line, sizeof line, f) && std::strncmp(line, "' show:", 7) == 0) {
    for (char* word = std::strtok(line + 7, " \t\r\n"); word; word = std::strtok(nullptr, " \t\r\n"))
      names.push_back(word);
  }
  std::fclose(f);
  return names;
}

std::string LineAt(const char* start, const char* position) {
  const char* begin = position;
  while (begin > start && begin[-1] != '\n') --begin;
  const char* end = position;
  while (*end && *end != '\n') ++end;
  return std::string(begin, end);
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // '\n' line ends, as the expected files have
  int first = 1;
  bool timed = argc > 1 && std::strcmp(argv[1], "--time") == 0;
  if (timed) ++first;
  if (first >= argc) {
    std::fprintf(stderr, "usage: script_runner [--time] script.bas [NAME ...]\n");
    return 2;
  }
  const char* path = argv[first];
  std::vector<std::string> names(argv + first + 1, argv + argc);
  if (names.empty()) names = ShownNames(path);

  unsigned short loadError = 0;
  DWORD line = 0;
  HGLOBAL text = LoadScript(path, &loadError, &line);
  if (!text) {
    std::printf("load error %u in line %lu: %s\n", loadError, static_cast<unsigned long>(line),
                MessageText(loadError).c_str());
    return 1;
  }
  const char* start = static_cast<const char*>(GlobalLock(text));
  ScriptRunner runner;
  runner.SetStart(start);
  HWND window = MakeScriptWindow();
  {
    uint32_t error = 0;
    runner.Variables().FindOrCreate("HWND", error)->SetLong(
        static_cast<int32_t>(reinterpret_cast<intptr_t>(window)));
  }
  uint32_t result = 0;
  auto began = std::chrono::steady_clock::now();
  if (runner.ScanLabels(start)) result = runner.Run(start);
  auto took = std::chrono::steady_clock::now() - began;

  if (runner.GetError()) {
    std::printf("error %u: %s\n", runner.GetError(), MessageText(runner.GetError()).c_str());
    if (runner.failedAt) std::printf("at: %s\n", ToUtf8(LineAt(start, runner.failedAt)).c_str());
  }
  std::printf("result = %lu\n", static_cast<unsigned long>(result));
  if (names.empty()) {
    char name[kNameKeySize + 1];
    for (VARIABLE* v = runner.Variables().NextVariable(nullptr, name); v;
         v = runner.Variables().NextVariable(v, name)) {
      std::string key(name);
      while (!key.empty() && key.back() == ' ') key.pop_back();
      std::printf("%s = %s\n", ToUtf8(key).c_str(), ValueText(*v).c_str());
    }
  }
  for (const std::string& name : names) {
    // '$' names are the process table's ("$ERRTXT" after a server exception).
    bool shared = name[0] == '$';
    SharedVariablesGuard guard(shared);
    VARIABLE* v = (shared ? SharedVariables() : runner.Variables()).Find(name.c_str());
    if (v) std::printf("%s = %s\n", name.c_str(), ValueText(*v).c_str());
    else std::printf("%s missing\n", name.c_str());
  }
  ShowBuffer(window);
  FreeWindowBuffer(window);
  DestroyWindow(window);
  if (timed)
    std::fprintf(stderr, "run time: %.3f s\n",
                 std::chrono::duration<double>(took).count());
  GlobalUnlock(text);
  GlobalFree(text);
  FreeExtensionModules();  // as the frame window does at its end
  return runner.GetError() ? 1 : 0;
}
