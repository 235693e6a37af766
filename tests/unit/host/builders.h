// Writers of test data: 16-bit resource layouts, BMP files and packed
// DIBs, and file helpers. The 32-bit sample .RES is compiled from
// samples.rc by the build.
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
inline void SetDword(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A 16-bit .RES entry; number != 0 gives a numbered NAME.
inline void AddRes16(Bytes& file, unsigned type, const std::string& name, const Bytes& data, unsigned number = 0) {
  PutByte(file, 0xFF);
  PutWord(file, type);
  if (number) {
    PutByte(file, 0xFF);
    PutWord(file, number);
  } else {
    PutText(file, name);
  }
  PutWord(file, 0x1030);
  PutDword(file, static_cast<uint32_t>(data.size()));
  file.insert(file.end(), data.begin(), data.end());
}

// 16-bit menu items: a popup (flags | MF_POPUP, text) or a command.
inline void MenuPopup(Bytes& m, unsigned flags, const std::string& text) {
  PutWord(m, flags | MF_POPUP);
  PutText(m, text);
}
inline void MenuItem(Bytes& m, unsigned flags, unsigned id, const std::string& text) {
  PutWord(m, flags);
  PutWord(m, id);
  PutText(m, text);
}

// 16-bit dialog items: position, size, id, style, class (a byte code or a
// name), text, then the creation data behind their length byte.
inline void DialogItem(Bytes& t, unsigned id, uint32_t style, const Bytes& cls, const char* text, const Bytes& data) {
  for (unsigned v : {4u, 4 + id % 50, 40u, 12u, id}) PutWord(t, v);
  PutDword(t, style | WS_CHILD | WS_VISIBLE);
  t.insert(t.end(), cls.begin(), cls.end());
  PutText(t, text);
  PutByte(t, static_cast<unsigned>(data.size()));
  t.insert(t.end(), data.begin(), data.end());
}

// A BMP file whose bits are bytes (i + row) mod 256; colour entry i is
// blue i, green 255 - i, red 3i.
struct BmpSpec {
  int width = 2, height = 2;
  unsigned bitCount = 24;
  bool core = false;
  uint32_t compression = 0, colors = 0, sizeImage = 0;
  Bytes extra;  // between header and colour table (BI_BITFIELDS masks)
  Bytes bits;   // when not empty, stands for the generated rows (RLE data)
};
inline Bytes MakeBmp(const BmpSpec& s) {
  const uint32_t headerSize = s.core ? 12 : 40, entry = s.core ? 3 : 4;
  const uint32_t stride = (static_cast<uint32_t>(s.width) * s.bitCount + 31) / 32 * 4;
  const uint32_t offBits = 14 + headerSize + static_cast<uint32_t>(s.extra.size()) + s.colors * entry;
  Bytes b = {'B', 'M'};
  PutDword(b, 0);
  PutDword(b, 0);
  PutDword(b, offBits);
  PutDword(b, headerSize);
  if (s.core) {
    for (unsigned v : {unsigned(s.width), unsigned(s.height), 1u, s.bitCount}) PutWord(b, v);
  } else {
    PutDword(b, s.width);
    PutDword(b, s.height);
    PutWord(b, 1);
    PutWord(b, s.bitCount);
    for (uint32_t v : {s.compression, s.sizeImage, 0u, 0u, s.colors, 0u}) PutDword(b, v);
  }
  b.insert(b.end(), s.extra.begin(), s.extra.end());
  for (uint32_t i = 0; i < s.colors; ++i) {
    for (unsigned v : {i, 255 - i, i * 3}) PutByte(b, v);
    if (!s.core) PutByte(b, 0);
  }
  if (!s.bits.empty()) {
    b.insert(b.end(), s.bits.begin(), s.bits.end());
    return b;
  }
  for (int r = 0; r < (s.height < 0 ? -s.height : s.height); ++r)
    for (uint32_t i = 0; i < stride; ++i) PutByte(b, i + r);
  return b;
}

inline std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}
inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}
inline Bytes BlockBytes(HGLOBAL block) {
  Bytes bytes;
  if (!block) return bytes;
  const unsigned char* p = static_cast<const unsigned char*>(GlobalLock(block));
  bytes.assign(p, p + GlobalSize(block));
  GlobalUnlock(block);
  return bytes;
}
