// PEEK, the POKE assignment, MCOPY and FONT. Every access is checked
// before it is made: offsets must lie inside the IMAGE block or STRING
// text (117), and addresses must lead to usable memory (9).
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "builtin_entries.h"
#include "memory_range.h"
#include "text_watch.h"

namespace {

// The memory a POINTER's target holds: an IMAGE's block, locked while
// this object lives, or a STRING's text.
class TargetBlock {
 public:
  TargetBlock() = default;
  TargetBlock(const TargetBlock&) = delete;
  TargetBlock& operator=(const TargetBlock&) = delete;
  ~TargetBlock() {
    if (locked_) GlobalUnlock(locked_);
  }

  // false (116) when the target holds neither. A text is readable up to
  // its zero, writable up to its last character (it stays terminated).
  bool Open(BuiltinFrame& f, const VARIABLE& pointer, bool write) {
    const VARIABLE* target = pointer.target;
    if (!target) return f.Fail(kBuiltinBadType);
    if (target->type == VAL_STRING) {
      data_ = target->text;
      size_ = data_ ? std::strlen(data_) + (write ? 0 : 1) : 0;
      return true;
    }
    if (target->type != VAL_IMAGE) return f.Fail(kBuiltinBadType);
    HGLOBAL handle = target->image.handle;
    if (!handle) return true;
    data_ = static_cast<char*>(GlobalLock(handle));
    if (!data_) return true;
    locked_ = handle;
    size_t blockSize = GlobalSize(handle);
    size_ = target->image.size < blockSize ? target->image.size : blockSize;
    return true;
  }

  // The n bytes at offset, or null (117) when they are not all inside.
  char* At(BuiltinFrame& f, int32_t offset, uint64_t n) {
    if (offset < 0 || static_cast<uint64_t>(offset) + n > size_ || !data_) {
      f.Fail(kBuiltinOutside);
      return nullptr;
    }
    return data_ + offset;
  }
  size_t Size() const { return size_; }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  HGLOBAL locked_ = nullptr;
};

// The access a width text asks for: its first character and, for "S", the
// byte count that follows (at most the first 16 characters are read).
struct Width {
  char kind;
  uint32_t count;
};

bool ParseWidth(BuiltinFrame& f, const char* text, Width& width) {
  width.kind = text[0];
  width.count = 0;
  if (width.kind != 'S') return true;
  uint64_t n = 0;
  int i = 1;
  for (; i < 16 && text[i] >= '0' && text[i] <= '9'; ++i) {
    n = n * 10 + static_cast<unsigned>(text[i] - '0');
    if (n > 0xFFFFFFFFu) n = 0xFFFFFFFFu;
  }
  if (i == 1 || n == 0) return f.Fail(kBuiltinSyntax);
  width.count = static_cast<uint32_t>(n);
  return true;
}

bool PopAccess(BuiltinFrame& f, TargetBlock& block, int32_t& offset, Width& width, bool write) {
  const char* widthText;
  if (!f.PopText(widthText) || !f.PopLong(offset)) return false;
  VARIABLE* pointer = f.Pop(VAL_POINTER);
  return pointer && block.Open(f, *pointer, write) && ParseWidth(f, widthText, width);
}

// A script's 32-bit number taken as an address.
char* AddressOf(int32_t address) {
  return reinterpret_cast<char*>(static_cast<uintptr_t>(static_cast<uint32_t>(address)));
}

bool SetTextAtAddress(BuiltinFrame& f, const char* address) {
  if (!address) return f.SetText("", 0);
  size_t length;
  if (!ReadableTextLength(address, length)) return f.Fail(kBuiltinBadAddress);
  return f.SetText(address, length);
}

}  // namespace

bool RunPeek(BuiltinFrame& f) {
  TargetBlock block;
  int32_t offset;
  Width width;
  if (!PopAccess(f, block, offset, width, false)) return false;
  const char* at;
  switch (width.kind) {
    case 'B':
      if (!(at = block.At(f, offset, 1))) return false;
      f.Result().SetLong(static_cast<unsigned char>(*at));
      return true;
    case 'W': {
      uint16_t w;
      if (!(at = block.At(f, offset, 2))) return false;
      std::memcpy(&w, at, 2);
      f.Result().SetLong(w);
      return true;
    }
    case 'L': {
      int32_t l;
      if (!(at = block.At(f, offset, 4))) return false;
      std::memcpy(&l, at, 4);
      f.Result().SetLong(l);
      return true;
    }
    case 'P': {
      uint32_t address;
      if (!(at = block.At(f, offset, 4))) return false;
      std::memcpy(&address, at, 4);
      return SetTextAtAddress(f, AddressOf(static_cast<int32_t>(address)));
    }
    case 'S': {
      // Up to count bytes or the first zero, never past the block's end.
      if (!(at = block.At(f, offset, 1))) return false;
      size_t most = block.Size() - static_cast<size_t>(offset);
      if (width.count < most) most = width.count;
      const void* zero = std::memchr(at, 0, most);
      return f.SetText(at, zero ? static_cast<const char*>(zero) - at : most);
    }
    default:
      return true;  // NULL
  }
}

bool RunPokeAssign(BuiltinFrame& f) {
  ForgetTextLengths();  // a zero written into a text shortens it in place
  TargetBlock block;
  int32_t offset;
  Width width;
  if (!PopAccess(f, block, offset, width, true)) return false;
  char* at;
  switch (width.kind) {
    case 'B':
    case 'W':
    case 'L': {
      int32_t value;
      if (!f.PopLong(value)) return false;
      size_t n = width.kind == 'B' ? 1 : width.kind == 'W' ? 2 : 4;
      if (!(at = block.At(f, offset, n))) return false;
      std::memcpy(at, &value, n);  // the low bytes: the machine is little-endian
      return true;
    }
    case 'P': {
      // The variable keeps owning its text; only its address is stored.
      VARIABLE* pointer = f.Pop(VAL_POINTER);
      if (!pointer) return false;
      if (!pointer->target || pointer->target->type != VAL_STRING) return f.Fail(kBuiltinBadType);
      uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer->target->text));
      if (!(at = block.At(f, offset, 4))) return false;
      std::memcpy(at, &address, 4);
      return true;
    }
    case 'S': {
      const char* text;
      if (!f.PopText(text)) return false;
      if (!(at = block.At(f, offset, width.count))) return false;
      size_t length = std::strlen(text);
      if (length > width.count) length = width.count;
      std::memcpy(at, text, length);
      std::memset(at + length, 0, width.count - length);
      return true;
    }
    default:
      return f.Pop() != nullptr;  // the value is taken, nothing is written
  }
}

bool RunMcopy(BuiltinFrame& f) {
  if (f.Count() == 1) {
    int32_t address;
    if (!f.PopLong(address)) return false;
    return SetTextAtAddress(f, AddressOf(address));
  }
  const char* text;
  int32_t address;
  if (!f.PopText(text) || !f.PopLong(address)) return false;
  size_t length = std::strlen(text);
  if (address != 0) {
    char* to = AddressOf(address);
    ForgetTextLengths();  // the address may lie in a variable's text
    if (!IsWritableMemory(to, length + 1)) return f.Fail(kBuiltinBadAddress);
    std::memcpy(to, text, length + 1);
  } else {
    length = 0;
  }
  f.Result().SetLong(static_cast<int32_t>(length));
  return true;
}

bool RunFont(BuiltinFrame& f) {
  const char *style, *face;
  int32_t points, hdc;
  if (!f.PopText(style) || !f.PopLong(points) || !f.PopText(face) || !f.PopLong(hdc)) return false;
  HDC dc = reinterpret_cast<HDC>(static_cast<uintptr_t>(static_cast<uint32_t>(hdc)));
  LOGFONTA font = {};
  font.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  font.lfWeight = style[0] == 'B' ? FW_BOLD : 0;
  font.lfItalic = style[0] == 'I' ? 1 : 0;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);  // 31 characters and the zero
  HFONT handle = CreateFontIndirectA(&font);
  f.Result().SetLong(static_cast<int32_t>(reinterpret_cast<uintptr_t>(handle)));
  return true;
}
