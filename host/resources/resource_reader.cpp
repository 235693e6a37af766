#include "resource_reader.h"

#include <cstring>
#include <string>
#include <vector>

#include "file_bytes.h"

namespace {

WORD Word(const unsigned char* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD Dword(const unsigned char* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
         (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

std::wstring Utf16Name(const char* name) {
  int n = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, name, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, name, -1, &wide[0], n);
  wide.resize(static_cast<size_t>(n - 1));
  return wide;
}

// One TYPE or NAME field of a 32-bit header inside [p, end): either
// 0xFFFF and a number, or a UTF-16 text with its NUL.
struct Id32 {
  bool numbered;
  WORD number;
  const unsigned char* text;  // UTF-16, code units
  size_t length;              // without the NUL
};

const unsigned char* ParseId32(const unsigned char* p, const unsigned char* end, Id32* id) {
  if (end - p < 2) return nullptr;
  if (Word(p) == 0xFFFF) {
    if (end - p < 4) return nullptr;
    id->numbered = true;
    id->number = Word(p + 2);
    return p + 4;
  }
  id->numbered = false;
  id->text = p;
  size_t n = 0;
  for (const unsigned char* q = p; end - q >= 2; q += 2, ++n) {
    if (Word(q) == 0) {
      id->length = n;
      return q + 2;
    }
  }
  return nullptr;
}

bool SameUtf16(const Id32& id, const std::wstring& name) {
  if (id.length != name.size()) return false;
  for (size_t i = 0; i < id.length; ++i)
    if (Word(id.text + 2 * i) != static_cast<WORD>(name[i])) return false;
  return true;
}

HGLOBAL ReadWith(ResourceScan (*find)(const unsigned char*, size_t, WORD, const char*, ResourceSpan*),
                 const char* file, WORD type, const char* name, unsigned short* error) {
  unsigned short dummy;
  if (!error) error = &dummy;
  *error = 0;
  if (!file || !name) return 0;
  std::vector<unsigned char> bytes;
  if (!ReadFileBytes(file, bytes, error)) return 0;
  ResourceSpan span{};
  ResourceScan scan = find(bytes.data(), bytes.size(), type, name, &span);
  if (scan == ResourceScan::Malformed) *error = 11;
  if (scan != ResourceScan::Found || span.size == 0) return 0;
  HGLOBAL block = CopyToGlobal(bytes.data() + span.offset, span.size);
  if (!block) *error = 115;
  return block;
}

}  // namespace

HGLOBAL CopyToGlobal(const void* data, size_t size) {
  if (size == 0 || size > 0x7FFFFFFF) return 0;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!block) return 0;
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    return 0;
  }
  std::memcpy(p, data, size);
  GlobalUnlock(block);
  return block;
}

ResourceScan FindResource32(const unsigned char* data, size_t size, WORD type, const char* name,
                            ResourceSpan* span) {
  if (!data || !name) return ResourceScan::NotFound;
  const std::wstring wanted = Utf16Name(name);
  size_t at = 0;
  while (at < size) {
    size_t left = size - at;
    if (left < 8) {
      // Only zero padding may trail the last entry.
      for (size_t i = at; i < size; ++i)
        if (data[i]) return ResourceScan::Malformed;
      break;
    }
    const unsigned char* entry = data + at;
    DWORD dataSize = Dword(entry);
    DWORD headerSize = Dword(entry + 4);
    // The fixed part after NAME is 16 bytes; TYPE and NAME take 4 at least.
    if (headerSize < 8 + 4 + 4 + 16 || headerSize > left || dataSize > left - headerSize)
      return ResourceScan::Malformed;
    const unsigned char* fixed = entry + headerSize - 16;
    Id32 typeId{}, nameId{};
    const unsigned char* p = ParseId32(entry + 8, fixed, &typeId);
    if (!p) return ResourceScan::Malformed;
    p = ParseId32(p, fixed, &nameId);
    if (!p) return ResourceScan::Malformed;
    if (typeId.numbered && typeId.number == type && !nameId.numbered && SameUtf16(nameId, wanted)) {
      span->offset = at + headerSize;
      span->size = dataSize;
      return ResourceScan::Found;
    }
    size_t next = at + headerSize + dataSize;
    at = (next + 3) & ~static_cast<size_t>(3);
    if (at < next) break;  // wrapped: cannot happen for sizes below 4 GB
  }
  return ResourceScan::NotFound;
}

ResourceScan FindResource16(const unsigned char* data, size_t size, WORD type, const char* name,
                            ResourceSpan* span) {
  if (!data || !name) return ResourceScan::NotFound;
  size_t at = 0;
  while (at < size) {
    if (data[at] != 0xFF) return ResourceScan::NotFound;  // a named TYPE ends the walk
    if (size - at < 3) return ResourceScan::Malformed;
    WORD entryType = Word(data + at + 1);
    if (entryType == kResourceNameTable) return ResourceScan::NotFound;
    at += 3;
    if (at >= size) return ResourceScan::Malformed;
    const char* entryName = nullptr;
    if (data[at] == 0xFF) {
      if (size - at < 3) return ResourceScan::Malformed;
      at += 3;
    } else {
      const void* nul = std::memchr(data + at, 0, size - at);
      if (!nul) return ResourceScan::Malformed;
      entryName = reinterpret_cast<const char*>(data + at);
      at = static_cast<const unsigned char*>(nul) - data + 1;
    }
    if (size - at < 6) return ResourceScan::Malformed;
    DWORD dataSize = Dword(data + at + 2);
    at += 6;
    if (dataSize > size - at) return ResourceScan::Malformed;
    if (entryType == type && entryName && lstrcmpiA(entryName, name) == 0) {
      span->offset = at;
      span->size = dataSize;
      return ResourceScan::Found;
    }
    at += dataSize;
  }
  return ResourceScan::NotFound;
}

HGLOBAL ReadResource32(const char* file, WORD type, const char* name, unsigned short* error) {
  return ReadWith(FindResource32, file, type, name, error);
}

HGLOBAL ReadResource16(const char* file, WORD type, const char* name, unsigned short* error) {
  return ReadWith(FindResource16, file, type, name, error);
}

HGLOBAL ReadResourceByLayout(int layout, const char* file, WORD type, const char* name,
                             unsigned short* error) {
  return layout == kResourceLayout16 ? ReadResource16(file, type, name, error)
                                     : ReadResource32(file, type, name, error);
}
