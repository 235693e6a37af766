#include "include_stack.h"

#include <cctype>

ScriptFileId ScriptFileId::Of(HANDLE file, const char* name) {
  ScriptFileId id;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file, &info) && (info.nFileIndexHigh | info.nFileIndexLow) != 0) {
    id.hasIndex = true;
    id.volume = info.dwVolumeSerialNumber;
    id.indexHigh = info.nFileIndexHigh;
    id.indexLow = info.nFileIndexLow;
  }
  DWORD size = GetFullPathNameA(name, 0, nullptr, nullptr);
  if (size > 0) {
    std::string full(size, '\0');
    DWORD got = GetFullPathNameA(name, size, &full[0], nullptr);
    full.resize(got < size ? got : 0);
    id.fullName = full;
  }
  if (id.fullName.empty()) id.fullName = name;
  for (char& c : id.fullName) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return id;
}

bool ScriptFileId::SameFile(const ScriptFileId& other) const {
  if (hasIndex && other.hasIndex)
    return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
  return fullName == other.fullName;
}

bool IncludeStack::Contains(const ScriptFileId& id) const {
  for (const Entry& e : entries_)
    if (e.id.SameFile(id)) return true;
  return false;
}

void IncludeStack::Push(const ScriptFileId& id, DWORD end) { entries_.push_back(Entry{id, end}); }

void IncludeStack::Shift(DWORD from, long long delta) {
  for (Entry& e : entries_)
    if (e.end >= from) e.end = static_cast<DWORD>(static_cast<long long>(e.end) + delta);
}

void IncludeStack::PopFinished(DWORD position) {
  while (!entries_.empty() && entries_.back().end <= position) entries_.pop_back();
}
