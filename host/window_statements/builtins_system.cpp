// EXEFIND, RUN, ERROR, OBJECT and PROFILE: other programs and scripts,
// message texts, object handles and the program's INI file.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "host_globals.h"
#include "path_helpers.h"
#include "program_runner.h"
#include "start_script.h"
#include "wennic.h"
#include "window_builtin_entries.h"

namespace {

const int kProfileText = 256;  // 255 characters and the zero
const int kErrorText = 256;

// The value's text for the INI file: a STRING whole, NULL empty, any other
// type its text form.
std::string ProfileText(const VARIABLE& value) {
  if (value.type == VAL_STRING) return TextOf(value);
  if (value.type == VAL_NULL) return std::string();
  char text[kValueTextSize];
  value.GetText(text, sizeof text, 0);
  return text;
}

}  // namespace

bool RunExeFind(WindowBuiltinFrame& f) {
  const char* file;
  if (!f.PopText(file)) return false;
  char program[MAX_PATH] = "";
  HINSTANCE found = FindExecutableA(file, nullptr, program);
  // Without a registered program the buffer holds nothing to be read.
  if (reinterpret_cast<INT_PTR>(found) <= 32) program[0] = '\0';
  program[MAX_PATH - 1] = '\0';
  return f.SetText(program);
}

bool RunRun(WindowBuiltinFrame& f) {
  int32_t wait = 0, show;
  const char* text;
  if (f.Count() == 3 && !f.PopLong(wait)) return false;
  if (!f.PopLong(show) || !f.PopText(text)) return false;
  if (show == 0 && HasExtension(text, "BAS")) {
    HWND window = StartScript(f.Window(), text);
    f.Result().SetLong(static_cast<int32_t>(reinterpret_cast<intptr_t>(window)));
    return true;
  }
  std::string commandLine = text;  // the stack slot is reused by what runs meanwhile
  unsigned long code = RunProgram(commandLine.c_str(), static_cast<unsigned short>(show), wait);
  f.Result().SetLong(static_cast<int32_t>(code));
  return true;
}

bool RunError(WindowBuiltinFrame& f) {
  int32_t number;
  if (!f.PopLong(number)) return false;
  char text[kErrorText] = "";
  ERRTXT(number, text, sizeof text);  // no text: left empty
  text[kErrorText - 1] = '\0';
  return f.SetText(text);
}

bool RunObject(WindowBuiltinFrame& f) {
  int32_t handle;
  if (!f.PopLong(handle)) return false;
  VARIABLE* object = f.Pop(VAL_OBJECT);
  if (!object) return false;
  VARIABLE& result = f.Result();
  result.TYPE(VAL_OBJECT);
  result.object.handle = static_cast<uint32_t>(handle);
  result.object.module = object->object.module;
  return true;
}

bool RunProfile(WindowBuiltinFrame& f) {
  VARIABLE* value = nullptr;
  if (f.Count() == 3 && !(value = f.Pop())) return false;
  const char *key, *section;
  if (!f.PopText(key) || !f.PopText(section)) return false;
  if (value) {
    std::string text = ProfileText(*value);
    WritePrivateProfileStringA(section, key, text.c_str(), kIniFileName);
    return f.SetText(text.c_str(), text.size());
  }
  char text[kProfileText] = "";
  GetPrivateProfileStringA(section, key, "", text, sizeof text, kIniFileName);
  return f.SetText(text);
}
