#include "script_modules.h"

#include <cstring>
#include <mutex>
#include <new>

namespace {

std::mutex listLock;
ScriptModule* first = nullptr;

ScriptModule* FindByKey(const char key[8]) {
  for (ScriptModule* m = first; m; m = m->next)
    if (std::memcmp(m->name, key, 8) == 0) return m;
  return nullptr;
}

}  // namespace

void SetModuleName(char key[8], const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == ':') name = p + 1;
  int n = 0;
  for (; n < 8 && name[n] != '.' && static_cast<unsigned char>(name[n]) > ' '; ++n) key[n] = name[n];
  for (; n < 8; ++n) key[n] = ' ';
}

ScriptModule* FindScriptModule(const char* path) {
  char key[8];
  SetModuleName(key, path);
  std::lock_guard<std::mutex> hold(listLock);
  return FindByKey(key);
}

ScriptModule* AddScriptModule(const char* path, HGLOBAL text) {
  char key[8];
  SetModuleName(key, path);
  std::lock_guard<std::mutex> hold(listLock);
  if (ScriptModule* known = FindByKey(key)) {
    ++known->count;
    return known;
  }
  ScriptModule* m = new (std::nothrow) ScriptModule();
  if (!m) return nullptr;
  std::memcpy(m->name, key, 8);
  m->count = 1;
  m->text = text;
  m->start = static_cast<const char*>(GlobalLock(text));
  m->next = nullptr;
  ScriptModule** tail = &first;
  while (*tail) tail = &(*tail)->next;
  *tail = m;
  return m;
}

int ReleaseScriptModule(const char* path) {
  char key[8];
  SetModuleName(key, path);
  std::lock_guard<std::mutex> hold(listLock);
  for (ScriptModule** link = &first; *link; link = &(*link)->next) {
    ScriptModule* m = *link;
    if (std::memcmp(m->name, key, 8) != 0) continue;
    if (--m->count == 0) {
      *link = m->next;
      GlobalUnlock(m->text);
      GlobalFree(m->text);
      delete m;
    }
    return 1;
  }
  return 0;
}

ScriptModule* FindScriptModuleByText(const char* position) {
  std::lock_guard<std::mutex> hold(listLock);
  for (ScriptModule* m = first; m; m = m->next)
    if (m->start && position >= m->start && position <= m->start + std::strlen(m->start)) return m;
  return nullptr;
}
