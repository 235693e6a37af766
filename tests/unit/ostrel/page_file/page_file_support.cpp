#include "page_file_support.h"

ScratchPageFile::ScratchPageFile() {
  char dir[MAX_PATH];
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  GetTempFileNameA(dir, "pgf", 0, path);
  name_ = path;
  handle_ = CreateFileA(path, GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

ScratchPageFile::~ScratchPageFile() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

PageBytes ScratchPageFile::Contents() const {
  const DWORD size = GetFileSize(handle_, nullptr);
  PageBytes bytes(size);
  const DWORD at = SetFilePointer(handle_, 0, nullptr, FILE_CURRENT);
  SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
  DWORD read = 0;
  if (size) ReadFile(handle_, bytes.data(), size, &read, nullptr);
  bytes.resize(read);
  SetFilePointer(handle_, at, nullptr, FILE_BEGIN);
  return bytes;
}

std::string WalkTypes(const PageBytes& bytes) {
  PageRecordWalker walker(bytes.data(), bytes.size());
  PageRecordView record;
  std::string types;
  while (walker.Next(&record)) types += static_cast<char>(record.type);
  if (walker.error()) types += "!" + std::to_string(walker.error()) + "@" + std::to_string(walker.error_offset());
  return types;
}
