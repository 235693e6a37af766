#include "path_helpers.h"

#include <windows.h>

#include <cstring>

int FileExists(const char* name) {
  HANDLE h = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 0;
  CloseHandle(h);
  return 1;
}

int FindExtension(const char* path) {
  for (int i = static_cast<int>(std::strlen(path)) - 1; i >= 0; --i) {
    if (path[i] == '.') return i;
    if (path[i] == '\\' || path[i] == ':') return -1;
  }
  return -1;
}

int SetExtension(char* path, size_t capacity, const char* extension) {
  int dot = FindExtension(path);
  size_t base = dot >= 0 ? static_cast<size_t>(dot) : std::strlen(path);
  bool withText = static_cast<unsigned char>(extension[0]) > ' ';
  size_t extLength = withText ? std::strlen(extension) : 0;
  if (base + 1 + extLength + 1 > capacity) return 0;
  path[base] = '.';
  std::memcpy(path + base + 1, extension, extLength);
  path[base + 1 + extLength] = '\0';
  return 1;
}

void StripExtension(char* path) {
  int dot = FindExtension(path);
  if (dot >= 0) path[dot] = '\0';
}

int ForceExtension(char* path, size_t capacity, const char* extension) {
  StripExtension(path);
  return SetExtension(path, capacity, extension);
}

int HasExtension(const char* path, const char* extension) {
  int dot = FindExtension(path);
  return dot >= 0 && _stricmp(path + dot + 1, extension) == 0;
}

void FileNamePart(char* path) {
  char* last = nullptr;
  for (char* p = path; *p; ++p)
    if (*p == '\\' || *p == ':' || *p == ' ') last = p;
  if (last) std::memmove(path, last + 1, std::strlen(last + 1) + 1);
}

void DirectoryPart(char* path) {
  char* last = nullptr;
  for (char* p = path + (path[0] ? 1 : 0); *p; ++p)
    if (*p == '\\' || *p == ':') last = p;
  if (last) last[1] = '\0';
}

int AddBackslash(char* path, size_t capacity) {
  size_t n = std::strlen(path);
  if (n == 0 || path[n - 1] == '\\' || path[n - 1] == ':') return 1;
  if (n + 2 > capacity) return 0;
  path[n] = '\\';
  path[n + 1] = '\0';
  return 1;
}
