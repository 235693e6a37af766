// Writers of the 16-bit resource layouts for the tests, and the path of the
// 32-bit sample file that the build compiles from samples.rc.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

inline void PutByte(Bytes& b, unsigned v) { b.push_back(static_cast<unsigned char>(v)); }
inline void PutWord(Bytes& b, unsigned v) {
  PutByte(b, v & 0xFF);
  PutByte(b, (v >> 8) & 0xFF);
}
inline void PutDword(Bytes& b, uint32_t v) {
  PutWord(b, v & 0xFFFF);
  PutWord(b, v >> 16);
}
inline void PutText(Bytes& b, const std::string& text) {
  b.insert(b.end(), text.begin(), text.end());
  PutByte(b, 0);
}

// A 16-bit .RES file: entries one after another, no alignment.
class Res16File {
 public:
  Res16File& Add(unsigned type, const std::string& name, const Bytes& data) {
    PutByte(bytes_, 0xFF);
    PutWord(bytes_, type);
    PutText(bytes_, name);
    Tail(data);
    return *this;
  }
  Res16File& AddNumbered(unsigned type, unsigned number, const Bytes& data) {
    PutByte(bytes_, 0xFF);
    PutWord(bytes_, type);
    PutByte(bytes_, 0xFF);
    PutWord(bytes_, number);
    Tail(data);
    return *this;
  }
  Res16File& AddNamedType(const std::string& type, const std::string& name, const Bytes& data) {
    PutText(bytes_, type);
    PutText(bytes_, name);
    Tail(data);
    return *this;
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  void Tail(const Bytes& data) {
    PutWord(bytes_, 0x1030);  // memory flags
    PutDword(bytes_, static_cast<uint32_t>(data.size()));
    bytes_.insert(bytes_.end(), data.begin(), data.end());
  }
  Bytes bytes_;
};

// A 16-bit menu template.
class Menu16 {
 public:
  Menu16() { PutDword(bytes_, 0); }
  Menu16& Popup(unsigned flags, const std::string& text) {
    PutWord(bytes_, flags | MF_POPUP);
    PutText(bytes_, text);
    return *this;
  }
  Menu16& Item(unsigned flags, unsigned id, const std::string& text) {
    PutWord(bytes_, flags);
    PutWord(bytes_, id);
    PutText(bytes_, text);
    return *this;
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// A 16-bit dialog template.
class Dialog16 {
 public:
  Dialog16(uint32_t style, unsigned count, const std::string& caption, bool font) {
    PutDword(bytes_, style | (font ? DS_SETFONT : 0));
    PutByte(bytes_, count);
    PutWord(bytes_, 0);
    PutWord(bytes_, 0);
    PutWord(bytes_, 120);
    PutWord(bytes_, 60);
    PutText(bytes_, "");  // menu
    PutText(bytes_, "");  // class
    PutText(bytes_, caption);
    if (font) {
      PutWord(bytes_, 8);
      PutText(bytes_, "MS Sans Serif");
    }
  }
  // classByte >= 0x80 names a predefined class; otherwise className is used.
  Dialog16& Item(unsigned id, uint32_t style, unsigned classByte, const std::string& className,
                 const std::string& text, const Bytes& creation = Bytes()) {
    PutWord(bytes_, 4);
    PutWord(bytes_, 4 + id % 7);
    PutWord(bytes_, 40);
    PutWord(bytes_, 12);
    PutWord(bytes_, id);
    PutDword(bytes_, style);
    if (classByte >= 0x80)
      PutByte(bytes_, classByte);
    else
      PutText(bytes_, className);
    PutText(bytes_, text);
    PutByte(bytes_, static_cast<unsigned>(creation.size()));
    bytes_.insert(bytes_.end(), creation.begin(), creation.end());
    return *this;
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

inline std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

inline Bytes ReadBytes(const std::string& path) {
  Bytes bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  return bytes;
}

inline Bytes BlockBytes(HGLOBAL block) {
  Bytes bytes;
  if (!block) return bytes;
  const unsigned char* p = static_cast<const unsigned char*>(GlobalLock(block));
  bytes.assign(p, p + GlobalSize(block));
  GlobalUnlock(block);
  return bytes;
}

#ifndef KORVEX_SAMPLE_RES
#define KORVEX_SAMPLE_RES "hostres_samples.res"
#endif
