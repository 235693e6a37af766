#include "resource_menu.h"
#include "locked_block.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int kMaxMenuDepth = 32;  // a template nesting deeper is refused

WORD Word(const unsigned char* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

// Reads one NUL-terminated ANSI text; false when it runs past the end.
bool AnsiText(const unsigned char*& p, const unsigned char* end, std::string* text) {
  const void* nul = std::memchr(p, 0, end - p);
  if (!nul) return false;
  text->assign(reinterpret_cast<const char*>(p), static_cast<const unsigned char*>(nul) - p);
  p = static_cast<const unsigned char*>(nul) + 1;
  return true;
}

bool Level16(HMENU menu, const unsigned char*& p, const unsigned char* end, int depth) {
  if (depth > kMaxMenuDepth) return false;
  for (;;) {
    if (end - p < 2) return false;
    UINT flags = Word(p);
    p += 2;
    bool last = (flags & MF_END) != 0;
    flags &= ~static_cast<UINT>(MF_END);  // MF_END shares its bit with MF_HILITE
    std::string text;
    if (flags & MF_POPUP) {
      if (!AnsiText(p, end, &text)) return false;
      HMENU popup = CreatePopupMenu();
      if (!popup) return false;
      if (!Level16(popup, p, end, depth + 1) ||
          !AppendMenuA(menu, flags, reinterpret_cast<UINT_PTR>(popup), text.c_str())) {
        DestroyMenu(popup);
        return false;
      }
    } else {
      if (end - p < 2) return false;
      UINT id = Word(p);
      p += 2;
      if (!AnsiText(p, end, &text)) return false;
      BOOL ok = text.empty() ? AppendMenuA(menu, MF_SEPARATOR, 0, nullptr)
                             : AppendMenuA(menu, flags, id, text.c_str());
      if (!ok) return false;
    }
    if (last) return true;
  }
}

// UTF-16 text with its NUL inside [p, end).
bool SkipWideText(const unsigned char*& p, const unsigned char* end) {
  for (; end - p >= 2; p += 2) {
    if (Word(p) == 0) {
      p += 2;
      return true;
    }
  }
  return false;
}

bool Level32(const unsigned char*& p, const unsigned char* end, int depth) {
  if (depth > kMaxMenuDepth) return false;
  for (;;) {
    if (end - p < 2) return false;
    WORD flags = Word(p);
    p += 2;
    if (!(flags & MF_POPUP)) {
      if (end - p < 2) return false;
      p += 2;
    }
    if (!SkipWideText(p, end)) return false;
    if ((flags & MF_POPUP) && !Level32(p, end, depth + 1)) return false;
    if (flags & MF_END) return true;
  }
}

// Extended items are aligned relative to the template's start, which a
// locked global block keeps on an 8-byte boundary.
bool LevelEx(const unsigned char* base, const unsigned char*& p, const unsigned char* end, int depth) {
  if (depth > kMaxMenuDepth) return false;
  for (;;) {
    if (end - p < 14) return false;
    WORD info = Word(p + 12);
    p += 14;
    if ((p - base) & 1) ++p;
    if (!SkipWideText(p, end)) return false;
    // The padding behind the last item's text may be missing.
    size_t pad = (4 - ((p - base) & 3)) & 3;
    p += static_cast<size_t>(end - p) < pad ? end - p : pad;
    if (info & 1) {
      if (end - p < 4) return false;
      p += 4;  // help id
      if (!LevelEx(base, p, end, depth + 1)) return false;
    }
    if (info & MF_END) return true;
  }
}

}  // namespace

HMENU LoadMenu16Data(const unsigned char* data, size_t size) {
  if (!data || size < 4) return 0;
  HMENU menu = CreateMenu();
  if (!menu) return 0;
  const unsigned char* p = data + 4;
  if (!Level16(menu, p, data + size, 0)) {
    DestroyMenu(menu);
    return 0;
  }
  return menu;
}

HMENU LoadMenu16(HGLOBAL block) {
  return ReadLockedBlock<HMENU>(block, LoadMenu16Data);
}

bool MenuTemplate32Fits(const unsigned char* data, size_t size) {
  if (!data || size < 4) return false;
  WORD version = Word(data);
  size_t offset = Word(data + 2);
  if (version > 1 || offset > size - 4) return false;
  const unsigned char* p = data + 4 + offset;
  const unsigned char* end = data + size;
  return version == 0 ? Level32(p, end, 0) : LevelEx(data, p, end, 0);
}

HMENU LoadMenu32Data(const unsigned char* data, size_t size) {
  // The system aligns extended items by address, the check by offset: data
  // off a 4-byte boundary are moved onto one so that both read alike.
  std::vector<DWORD> aligned;
  if (data && reinterpret_cast<uintptr_t>(data) % sizeof(DWORD) != 0) {
    aligned.resize((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    std::memcpy(aligned.data(), data, size);
    data = reinterpret_cast<const unsigned char*>(aligned.data());
  }
  if (!MenuTemplate32Fits(data, size)) return 0;
  return LoadMenuIndirectA(data);
}

HMENU LoadMenu32(HGLOBAL block) {
  return ReadLockedBlock<HMENU>(block, LoadMenu32Data);
}

HMENU FindWindowMenu(HMENU menu) {
  if (!menu) return 0;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    if (state != static_cast<UINT>(-1) && (state & MF_CHECKED)) return GetSubMenu(menu, i);
  }
  return 0;
}
