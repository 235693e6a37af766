#include "dialog16.h"
#include "locked_block.h"

#include <cstring>
#include <new>
#include <vector>

#include "resource_reader.h"

namespace {

class Reader {
 public:
  Reader(const unsigned char* data, size_t size) : p_(data), end_(data + size) {}
  bool Ok() const { return ok_; }
  unsigned Byte() { return Need(1) ? *p_++ : 0; }
  WORD Word() {
    if (!Need(2)) return 0;
    WORD w = static_cast<WORD>(p_[0] | (p_[1] << 8));
    p_ += 2;
    return w;
  }
  DWORD Dword() {
    DWORD low = Word();
    return low | (static_cast<DWORD>(Word()) << 16);
  }
  unsigned Peek() { return Need(1) ? *p_ : 0; }
  const char* Text() {
    if (!ok_) return "";
    const void* nul = std::memchr(p_, 0, end_ - p_);
    if (!nul) {
      ok_ = false;
      return "";
    }
    const char* text = reinterpret_cast<const char*>(p_);
    p_ = static_cast<const unsigned char*>(nul) + 1;
    return text;
  }
  void Skip(size_t n) {
    if (Need(n)) p_ += n;
  }

 private:
  bool Need(size_t n) {
    if (ok_ && static_cast<size_t>(end_ - p_) >= n) return true;
    ok_ = false;
    return false;
  }
  const unsigned char* p_;
  const unsigned char* end_;
  bool ok_ = true;
};

class Writer {
 public:
  void Word(WORD w) {
    out_.push_back(static_cast<unsigned char>(w));
    out_.push_back(static_cast<unsigned char>(w >> 8));
  }
  void Dword(DWORD d) {
    Word(static_cast<WORD>(d));
    Word(static_cast<WORD>(d >> 16));
  }
  void Text(const char* ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    if (n <= 1) {
      Word(0);
      return;
    }
    std::vector<wchar_t> wide(n);
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide.data(), n);
    for (int i = 0; i < n; ++i) Word(static_cast<WORD>(wide[i]));
  }
  void Align4() {
    while (out_.size() & 3) out_.push_back(0);
  }
  const std::vector<unsigned char>& Bytes() const { return out_; }

 private:
  std::vector<unsigned char> out_;
};

}  // namespace

HGLOBAL ConvertDialog16Data(const unsigned char* data, size_t size) {
  if (!data) return 0;
  Reader in(data, size);
  Writer out;
  try {
    DWORD style = in.Dword();
    unsigned count = in.Byte();
    out.Dword(style);
    out.Dword(0);
    out.Word(static_cast<WORD>(count));
    for (int i = 0; i < 4; ++i) out.Word(in.Word());  // x, y, cx, cy
    out.Text(in.Text());                             // menu
    out.Text(in.Text());                             // class
    out.Text(in.Text());                             // caption
    if (style & DS_SETFONT) {
      out.Word(in.Word());
      out.Text(in.Text());
    }
    out.Align4();
    for (unsigned item = 0; item < count && in.Ok(); ++item) {
      WORD x = in.Word(), y = in.Word(), cx = in.Word(), cy = in.Word(), id = in.Word();
      out.Dword(in.Dword());  // style
      out.Dword(0);
      out.Word(x);
      out.Word(y);
      out.Word(cx);
      out.Word(cy);
      out.Word(id);
      if (in.Peek() >= 0x80) {  // predefined class: button, edit, static, ...
        out.Word(0xFFFF);
        out.Word(static_cast<WORD>(in.Byte()));
      } else {
        out.Text(in.Text());
      }
      out.Text(in.Text());
      in.Skip(in.Byte());  // creation data: its length byte and its bytes
      out.Word(0);
      out.Align4();
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (!in.Ok()) return 0;
  return CopyToGlobal(out.Bytes().data(), out.Bytes().size());
}

HGLOBAL ConvertDialog16(HGLOBAL block) {
  return ReadLockedBlock<HGLOBAL>(block, ConvertDialog16Data);
}
