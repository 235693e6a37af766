#include "hestel_support.h"

#include <cstring>

#include "variable.h"

std::string FreshDirectory(const char* leaf) {
  CreateDirectoryA("C:\\kt", nullptr);
  std::string dir = std::string("C:\\kt\\") + leaf + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
    DeleteFileA((dir + found.cFileName).c_str());
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return dir;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(4096, '\0');
  DWORD got = 0;
  ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  return bytes.substr(0, got);
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string BinDirectory() {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  return std::string(exe, std::strrchr(exe, '\\') + 1);
}

// The events' names are the test process's own: tests run side by side.
HeldRange::HeldRange(const std::string& path, int offset, int length) {
  std::string held = "HestelHeld" + std::to_string(GetCurrentProcessId());
  std::string release = "HestelRelease" + std::to_string(GetCurrentProcessId());
  ready_ = CreateEventA(nullptr, TRUE, FALSE, held.c_str());
  release_ = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
  std::string command = "\"" + BinDirectory() + "lock_holder.exe\" \"" + path + "\" " +
                        std::to_string(offset) + " " + std::to_string(length) + " " + held + " " + release;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
    held_ = WaitForSingleObject(ready_, 30000) == WAIT_OBJECT_0;
}

void HeldRange::Release() {
  if (!release_) return;
  SetEvent(release_);
  if (process_.hProcess) WaitForSingleObject(process_.hProcess, 30000);
  for (HANDLE h : {process_.hThread, process_.hProcess, ready_, release_})
    if (h) CloseHandle(h);
  release_ = nullptr;
}

const LibraryCall& Hestel() {
  static const LibraryCall hestel("HESTEL");
  return hestel;
}

std::string Taken(uint32_t word) {
  const VARIABLE* v = reinterpret_cast<const VARIABLE*>(word);
  std::string text = !v || v->type == VAL_NULL ? "<NULL>"
                     : v->type == VAL_STRING   ? (v->text ? v->text : "")
                                               : "<type " + std::to_string(v->type) + ">";
  Hestel()("RELEASE", {word});
  return text;
}
