// Shared by the table engine's tests: header images built field by field,
// whole files read and written, clients that log what they are told.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "path_helpers.h"
#include "quelt.h"

using Bytes = std::vector<uint8_t>;

struct FieldSpec {
  const char* name;
  char type;
  uint8_t length;
  uint8_t decimals;
};

// A caller's header image: 32 bytes with the lengths, then a descriptor a
// field and the byte that ends them.
inline Bytes MakeImage(uint8_t version, std::initializer_list<FieldSpec> fields) {
  const size_t headerLength = 32 + 32 * fields.size() + 1;
  uint16_t recordLength = 1;
  for (const FieldSpec& f : fields) recordLength += f.length;
  Bytes image(headerLength, 0);
  image[0] = version;
  image[8] = static_cast<uint8_t>(headerLength);
  image[9] = static_cast<uint8_t>(headerLength >> 8);
  image[10] = static_cast<uint8_t>(recordLength);
  image[11] = static_cast<uint8_t>(recordLength >> 8);
  size_t at = 32;
  for (const FieldSpec& f : fields) {
    for (int i = 0; i < 11 && f.name[i]; ++i) image[at + i] = static_cast<uint8_t>(f.name[i]);
    image[at + 11] = static_cast<uint8_t>(f.type);
    image[at + 16] = f.length;
    image[at + 17] = f.decimals;
    at += 32;
  }
  image[headerLength - 1] = 0x0D;
  return image;
}

// The tables of the first checks: A N(5,0), B N(8,2), M M(10).
inline Bytes NumbersImage() {
  return MakeImage(0x83, {{"A", 'N', 5, 0}, {"B", 'N', 8, 2}, {"M", 'M', 10, 0}});
}
// The peer fixture's layout.
inline Bytes PeopleImage() {
  return MakeImage(0x83, {{"NAME", 'C', 20, 0}, {"QTY", 'N', 5, 0}, {"PRICE", 'N', 8, 2},
                          {"BORN", 'D', 8, 0}, {"OK", 'L', 1, 0}, {"NOTE", 'M', 10, 0}});
}

inline Bytes ReadAll(const std::string& path) {
  Bytes data;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return data;
  data.resize(GetFileSize(h, nullptr));
  DWORD got = 0;
  if (!data.empty()) ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
  data.resize(got);
  CloseHandle(h);
  return data;
}

inline bool WriteAll(const std::string& path, const Bytes& data) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  const bool ok = data.empty() || WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &put, nullptr);
  CloseHandle(h);
  return ok && put == data.size();
}

inline uint32_t Dword(const Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

inline std::string Text(const void* data, size_t length) {
  return std::string(static_cast<const char*>(data), length);
}

// A directory of the test's own under the work directory given by the
// build (the peer checks read it natively).
inline std::string WorkDir(const char* leaf) {
  std::string dir = std::string(QUELT_WORK_DIR) + "\\" + leaf;
  CreateDirectoryA(QUELT_WORK_DIR, nullptr);
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

// Logs each notification with the client's id, in one log for several.
using NotifyLog = std::vector<std::pair<int, std::pair<uint32_t, uint32_t>>>;
class LoggingClient : public TableClient {
 public:
  LoggingClient(int id, NotifyLog* log) : id_(id), log_(log) {}
  uint16_t Notify(uint32_t code, uint32_t record) override {
    log_->push_back({id_, {code, record}});
    return 1;
  }

 private:
  int id_;
  NotifyLog* log_;
};
