#include "library_binder.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "call_export.h"
#include "text_watch.h"
#include "variable.h"

namespace {

// The text after '!' holds at most 127 characters (blanks not counted).
const size_t kDeclarationTail = 127;
// LoadStringA buffer for one declaration.
const int kDeclarationBuffer = 260;

ExtensionModule* modules;

// One lock for the module list and every function list. It is re-entered
// when a module's declarations name another module.
struct BinderSection {
  CRITICAL_SECTION section;
  BinderSection() { InitializeCriticalSection(&section); }
};

CRITICAL_SECTION& Section() {
  static BinderSection lock;  // never deleted: threads may outlive statics
  return lock.section;
}

struct ListGuard {
  ListGuard() { EnterCriticalSection(&Section()); }
  ~ListGuard() { LeaveCriticalSection(&Section()); }
  ListGuard(const ListGuard&) = delete;
  ListGuard& operator=(const ListGuard&) = delete;
};

bool EndsDeclaration(char c) { return c == 0 || c == '\n' || c == ';'; }
bool Ignored(char c) { return static_cast<unsigned char>(c) <= 32; }

void FreeFunctions(ExtensionFunction* f) {
  while (f) {
    ExtensionFunction* next = f->next;
    std::free(f->name);
    delete f;
    f = next;
  }
}

void Unlink(ExtensionModule* module) {
  for (ExtensionModule** link = &modules; *link; link = &(*link)->next) {
    if (*link == module) {
      *link = module->next;
      return;
    }
  }
}

void Append(ExtensionModule* module) {
  ExtensionModule** link = &modules;
  while (*link) link = &(*link)->next;
  *link = module;
}

// Drops a module whose load failed, and releases its library.
void Discard(ExtensionModule* module) {
  Unlink(module);
  FreeFunctions(module->functions);
  if (module->library) FreeLibrary(module->library);
  delete module;
}

// A new record for name (which fits the field) with its library loaded
// under that name, appended to the list; null with 115 or 141.
ExtensionModule* NewModule(const char* name, uint32_t& error) {
  ExtensionModule* module = new (std::nothrow) ExtensionModule();
  if (!module) {
    error = kBindErrorNoMemory;
    return nullptr;
  }
  std::strcpy(module->name, name);
  module->library = LoadLibraryA(name);
  if (!module->library) {
    delete module;
    error = kBindErrorLoad;
    return nullptr;
  }
  Append(module);
  return module;
}

bool FitsModuleField(size_t length) { return length > 0 && length < kModuleNameSize; }

// The type code of a type word's first letter; 255 when unknown.
unsigned char TypeOfWord(const std::string& word) {
  return word.empty() ? 255 : VARIABLE::TypeFromLetter(word[0]);
}

// Reads the parameter words and the result word of the text behind the
// export name ("(...)..."): 0 or 132.
uint32_t ReadTypes(const std::string& list, const std::string& result, ExtensionFunction& f) {
  size_t start = 0;
  for (;;) {
    size_t comma = list.find(',', start);
    std::string word = list.substr(start, comma == std::string::npos ? comma : comma - start);
    unsigned char type = TypeOfWord(word);
    if (type == 255 || f.argCount == kMaxParameters) return kBindErrorType;
    f.argTypes[f.argCount++] = type;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (result.empty()) {
    f.resultType = VAL_NULL;
    return 0;
  }
  f.resultType = TypeOfWord(result);
  // One 32-bit word cannot carry a REAL.
  if (f.resultType == 255 || f.resultType == VAL_REAL) return kBindErrorType;
  return 0;
}

int ParseLocked(const char*& p, uint32_t& error) {
  // MODULE!
  std::string moduleName;
  for (; !EndsDeclaration(*p) && *p != '!'; ++p)
    if (!Ignored(*p)) moduleName += *p;
  if (*p != '!' || moduleName.empty()) {
    error = kBindErrorSyntax;
    return 0;
  }
  ++p;
  std::string tail;
  for (; !EndsDeclaration(*p); ++p)
    if (!Ignored(*p)) tail += *p;
  if (!FitsModuleField(moduleName.size())) {
    error = kBindErrorLoad;
    return 0;
  }
  size_t open = tail.find('(');
  size_t close = open == std::string::npos ? open : tail.find(')', open);
  if (tail.size() > kDeclarationTail || close == std::string::npos) {
    error = kBindErrorSyntax;
    return 0;
  }

  ExtensionModule* module = FindExtensionModule(moduleName.c_str());
  if (!module && !(module = NewModule(moduleName.c_str(), error))) return 0;

  std::string exportName = tail.substr(0, open);
  if (FindModuleFunction(module, exportName.c_str())) return 1;  // declared before
  FARPROC address = exportName.empty() ? nullptr : GetProcAddress(module->library, exportName.c_str());
  if (!address) {
    error = kBindErrorFunction;
    return 0;
  }

  ExtensionFunction* f = new (std::nothrow) ExtensionFunction();
  if (!f) {
    error = kBindErrorNoMemory;
    return 0;
  }
  f->address = address;
  f->module = module->library;
  error = ReadTypes(tail.substr(open + 1, close - open - 1), tail.substr(close + 1), *f);
  if (!error && !(f->name = _strdup(exportName.c_str()))) error = kBindErrorNoMemory;
  if (error) {
    FreeFunctions(f);
    return 0;
  }
  ExtensionFunction** link = &module->functions;
  while (*link) link = &(*link)->next;
  *link = f;
  return 1;
}

}  // namespace

ExtensionModule* FindExtensionModule(const char* name) {
  ListGuard guard;
  for (ExtensionModule* m = modules; m; m = m->next)
    if (std::strcmp(m->name, name) == 0) return m;
  return nullptr;
}

ExtensionFunction* FindModuleFunction(ExtensionModule* module, const char* exportName) {
  ListGuard guard;
  for (ExtensionFunction* f = module->functions; f; f = f->next)
    if (std::strcmp(f->name, exportName) == 0) return f;
  return nullptr;
}

int ParseDeclaration(const char*& text, uint32_t& error) {
  ListGuard guard;
  int bound = ParseLocked(text, error);
  while (!EndsDeclaration(*text)) ++text;
  return bound;
}

ExtensionModule* LoadExtensionModule(const char* name, uint32_t& error) {
  ListGuard guard;
  if (!FitsModuleField(std::strlen(name))) {
    error = kBindErrorLoad;  // the record could not hold the name
    return nullptr;
  }
  if (ExtensionModule* known = FindExtensionModule(name)) return known;
  ExtensionModule* module = NewModule(name, error);
  if (!module) return nullptr;

  std::string handleExport = std::string(name) + "_HANDLE";
  FARPROC handle = GetProcAddress(module->library, handleExport.c_str());
  HINSTANCE instance = handle ? reinterpret_cast<HINSTANCE>(CallExport(
                                    reinterpret_cast<const void*>(handle), nullptr, 0))
                              : nullptr;
  if (!instance) {
    error = kBindErrorLoad;
    Discard(module);
    return nullptr;
  }
  for (int id = 1; id <= kMaxDeclarationStrings; ++id) {
    char text[kDeclarationBuffer];
    if (LoadStringA(instance, static_cast<UINT>(id), text, sizeof text) <= 0) break;
    const char* p = text;
    if (!ParseDeclaration(p, error)) {
      Discard(module);
      return nullptr;
    }
  }
  return module;
}

int FindExtensionFunction(const char* path, BoundFunction& out, uint32_t& error) {
  const char* bang = path;
  while (!EndsDeclaration(*bang) && *bang != '!') ++bang;
  if (*bang != '!') {
    error = kBindErrorSyntax;
    return 0;
  }
  std::string moduleName(path, static_cast<size_t>(bang - path));
  const char* end = bang + 1;
  while (!EndsDeclaration(*end) && *end != '(' && *end != ' ') ++end;
  std::string exportName(bang + 1, static_cast<size_t>(end - bang - 1));

  ListGuard guard;
  ExtensionModule* module = FindExtensionModule(moduleName.c_str());
  if (!module) {
    error = kBindErrorModule;
    return 0;
  }
  ExtensionFunction* f = FindModuleFunction(module, exportName.c_str());
  if (!f) {
    error = kBindErrorFunction;
    return 0;
  }
  f->module = module->library;
  out.address = f->address;
  out.module = f->module;
  std::memcpy(out.argTypes, f->argTypes, sizeof out.argTypes);
  out.argCount = f->argCount;
  out.resultType = f->resultType;
  return 1;
}

int CallModuleExport(const char* module, const char* member, uint32_t& result) {
  FARPROC address = nullptr;
  {
    ListGuard guard;
    ExtensionModule* m = FindExtensionModule(module);
    if (m) address = GetProcAddress(m->library, (std::string(module) + "_" + member).c_str());
  }
  if (!address) return 0;
  ForgetTextLengths();  // library code may write into texts in place
  result = CallExport(reinterpret_cast<const void*>(address), nullptr, 0);
  return 1;
}

uint32_t RemoveModuleObject(const char* module, uint32_t handle, const char* member) {
  if (!handle) return 0;
  FARPROC address = nullptr;
  {
    ListGuard guard;
    ExtensionModule* m = FindExtensionModule(module);
    if (!m) return 0;
    std::string name = std::string(module) + "_" + (member ? member : "Remove");
    if (!GetProcAddress(m->library, name.c_str())) return 0;  // nothing to call
    ExtensionFunction* f = FindModuleFunction(m, name.c_str());
    // Only an export declared to take the handle alone may be called with
    // it; one that takes more words would read what was never passed.
    if (!f || f->argCount != 1 || f->argTypes[0] == VAL_NULL) return kBindErrorArgumentCount;
    address = f->address;
  }
  ForgetTextLengths();
  CallExport(reinterpret_cast<const void*>(address), &handle, 1);
  return 0;
}

void FreeExtensionModules() {
  ListGuard guard;
  while (modules) {
    ExtensionModule* next = modules->next;
    FreeFunctions(modules->functions);
    FreeLibrary(modules->library);
    delete modules;
    modules = next;
  }
}

int ListModuleDeclarations(HWND listBox, const char* module) {
  HMODULE library = nullptr;
  {
    ListGuard guard;
    ExtensionModule* m = FindExtensionModule(module);
    if (m) library = m->library;
  }
  if (!library) return 0;
  std::string prefix = std::string(module) + "!" + module + "_";
  int added = 0;
  for (int id = 1; id <= kMaxDeclarationStrings; ++id) {
    char text[kDeclarationBuffer];
    if (LoadStringA(library, static_cast<UINT>(id), text, sizeof text) <= 0) break;
    const char* shown = text;
    if (std::strncmp(text, prefix.c_str(), prefix.size()) == 0) shown += prefix.size();
    SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown));
    ++added;
  }
  return added;
}
