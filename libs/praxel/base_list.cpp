#include "base_list.h"

#include <sqlext.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace {

// Guards the list, the environment and its use count: several script
// threads of one process may open and close connections.
std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

Base* head;
HENV environment;
uint16_t environmentUses;

std::string UpperField(const char* text) {
  std::string name(text, std::strcspn(text, ";"));
  if (!name.empty()) CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
  return name;
}

}  // namespace

void CopyField(char* destination, size_t size, const char* text) {
  if (size == 0) return;
  size_t length = text ? std::strcspn(text, ";") : 0;
  if (length > size - 1) length = size - 1;
  if (length) std::memcpy(destination, text, length);
  destination[length] = '\0';
}

Base* NewBase(const char* name, size_t length) {
  Base* base = static_cast<Base*>(std::calloc(1, sizeof(Base)));
  if (!base) return nullptr;
  base->name = static_cast<char*>(std::malloc(length + 1));
  if (!base->name) {
    std::free(base);
    return nullptr;
  }
  std::memcpy(base->name, name, length);
  base->name[length] = '\0';
  if (length) CharUpperBuffA(base->name, static_cast<DWORD>(length));
  base->useCount = 1;
  return base;
}

void DeleteBase(Base* base) {
  if (!base) return;
  std::free(base->name);
  std::free(base->logFile);
  std::free(base);
}

void AppendBase(Base* base) {
  std::lock_guard<std::mutex> guard(Lock());
  Base** link = &head;
  while (*link) link = &(*link)->next;
  base->next = nullptr;
  *link = base;
}

void UnlinkBase(Base* base) {
  std::lock_guard<std::mutex> guard(Lock());
  for (Base** link = &head; *link; link = &(*link)->next) {
    if (*link == base) {
      *link = base->next;
      base->next = nullptr;
      return;
    }
  }
}

Base* FindBase(HDBC connection) {
  if (!connection) return nullptr;
  std::lock_guard<std::mutex> guard(Lock());
  for (Base* base = head; base; base = base->next)
    if (base->connection == connection) return base;
  return nullptr;
}

Base* FindBaseByName(const char* text) {
  if (!text) return nullptr;
  std::string name = UpperField(text);
  if (name.empty()) return nullptr;
  std::lock_guard<std::mutex> guard(Lock());
  for (Base* base = head; base; base = base->next)
    if (name == base->name) return base;
  return nullptr;
}

long BaseFlags(HDBC connection) {
  Base* base = FindBase(connection);
  return base ? base->flags : -1;
}

HENV OdbcEnvironment() {
  std::lock_guard<std::mutex> guard(Lock());
  return environment;
}

bool AcquireEnvironment() {
  std::lock_guard<std::mutex> guard(Lock());
  if (environment) return true;
  HENV made = SQL_NULL_HENV;
  RETCODE rc = SQLAllocEnv(&made);
  if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) return false;
  environment = made;
  return true;
}

void CountEnvironmentUse() {
  std::lock_guard<std::mutex> guard(Lock());
  ++environmentUses;
}

void ReleaseEnvironmentUse() {
  std::lock_guard<std::mutex> guard(Lock());
  if (environmentUses > 0) --environmentUses;
  if (environmentUses == 0 && environment) {
    SQLFreeEnv(environment);
    environment = SQL_NULL_HENV;
  }
}
