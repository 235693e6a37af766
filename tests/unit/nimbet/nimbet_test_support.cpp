#include "nimbet_test_support.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "gui_driver.h"
#include "variable.h"

namespace nimbet_test {

namespace {

// Wine without a window manager waits two seconds for one each time a
// managed window goes away; windows of this program are left unmanaged
// (read when its first window is made).
const bool unmanaged = [] {
  char program[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, program, sizeof program);
  const char* name = std::strrchr(program, '\\') ? std::strrchr(program, '\\') + 1 : program;
  std::string key = std::string("Software\\Wine\\AppDefaults\\") + name + "\\X11 Driver";
  HKEY options = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &options, nullptr))
    return false;
  bool set = RegSetValueExA(options, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2) == ERROR_SUCCESS;
  RegCloseKey(options);
  return set;
}();

}  // namespace

const LibraryCall& Nimbet() {
  static const LibraryCall library("NIMBET");
  return library;
}

std::string Taken(uint32_t record) {
  const VARIABLE* v = reinterpret_cast<const VARIABLE*>(static_cast<uintptr_t>(record));
  if (!v) return "<none>";
  std::string text = v->type == VAL_NULL     ? "<NULL>"
                     : v->type == VAL_STRING ? (v->text ? v->text : "")
                                             : "<type " + std::to_string(v->type) + ">";
  Nimbet()("RELEASE", {record});
  return text;
}

BoxAnswerer::BoxAnswerer() : thread_([this] { Run(); }) {}

BoxAnswerer::~BoxAnswerer() {
  done_ = true;
  thread_.join();
}

std::vector<std::string> BoxAnswerer::Boxes() {
  std::lock_guard<std::mutex> guard(lock_);
  return boxes_;
}

void BoxAnswerer::Run() {
  while (!done_) {
    HWND box = FindWindowA("#32770", nullptr);
    DWORD process = 0;
    if (box) GetWindowThreadProcessId(box, &process);
    if (box && process == GetCurrentProcessId() && gui::WaitUntilShown(box, 2000)) {
      std::string seen = gui::WindowText(box) + ": " + gui::WaitForMessageBoxText(box);
      {
        std::lock_guard<std::mutex> guard(lock_);
        boxes_.push_back(seen);
      }
      gui::AnswerMessageBox(box, IDOK);
      gui::WaitFor([&] { return !IsWindow(box); }, 2000);
    }
    Sleep(10);
  }
}

HWND MakeTestWindow(const char* className, WNDPROC procedure, DWORD style, int width, int height) {
  WNDCLASSA kind = {};
  kind.lpfnWndProc = procedure;
  kind.hInstance = GetModuleHandleA(nullptr);
  kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  kind.lpszClassName = className;
  RegisterClassA(&kind);
  return CreateWindowA(className, "owner", style | WS_VISIBLE, 20, 20, width, height, nullptr, nullptr,
                       kind.hInstance, nullptr);
}

namespace {

bool WriteBytes(const std::string& path, const void* bytes, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

// A bottom-up 24-bit bitmap, as BMP and AVI files keep it.
BITMAPINFOHEADER Rgb24Header(int width, int height) {
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  return info;
}

bool WriteBmp(const std::string& path, int width, int height, const std::vector<uint8_t>& rows) {
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = Rgb24Header(width, height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes.append(rows.begin(), rows.end());
  return WriteBytes(path, bytes.data(), bytes.size());
}

}  // namespace

bool SaveScreenshot(HWND window, const std::string& name) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = Rgb24Header(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != 0;
    GdiFlush();
    SelectObject(memory, old);
    size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    const uint8_t* p = static_cast<const uint8_t*>(bits);
    if (ok) ok = WriteBmp(KORVEX_SCREENS_DIR "\\" + name + ".bmp", width, height,
                          std::vector<uint8_t>(p, p + stride * static_cast<size_t>(height)));
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

namespace {

// RIFF writing: chunks are patched with their sizes when they end.
class Riff {
 public:
  void Put32(uint32_t v) { data_.append(reinterpret_cast<const char*>(&v), 4); }
  void PutTag(const char* tag) { data_.append(tag, 4); }
  void Begin(const char* list, const char* type) {
    PutTag(list);
    open_.push_back(data_.size());
    Put32(0);
    if (type) PutTag(type);
  }
  void End() {
    size_t at = open_.back();
    open_.pop_back();
    uint32_t size = static_cast<uint32_t>(data_.size() - at - 4);
    data_.replace(at, 4, reinterpret_cast<const char*>(&size), 4);
    if (data_.size() % 2) data_ += '\0';
  }
  void Bytes(const void* p, size_t n) { data_.append(static_cast<const char*>(p), n); }
  size_t size() const { return data_.size(); }
  const std::string& data() const { return data_; }

 private:
  std::string data_;
  std::vector<size_t> open_;
};

}  // namespace

bool WriteSampleAvi(const std::string& path, int width, int height, int frames) {
  uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  uint32_t frameSize = stride * static_cast<uint32_t>(height);
  Riff avi;
  avi.Begin("RIFF", "AVI ");
  avi.Begin("LIST", "hdrl");
  avi.Begin("avih", nullptr);
  uint32_t mainHeader[14] = {100000, frameSize * 10, 0, 0x10 /* has index */, static_cast<uint32_t>(frames),
                             0, 1, frameSize, static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
  avi.Bytes(mainHeader, sizeof mainHeader);
  avi.End();
  avi.Begin("LIST", "strl");
  avi.Begin("strh", nullptr);
  avi.PutTag("vids");
  avi.PutTag("DIB ");
  uint32_t streamHeader[12] = {0, 0, 0, 1, 10, 0, static_cast<uint32_t>(frames), frameSize, 0xFFFFFFFF, 0, 0, 0};
  streamHeader[11] = static_cast<uint32_t>(width) | (static_cast<uint32_t>(height) << 16);
  avi.Bytes(streamHeader, sizeof streamHeader);
  avi.End();
  avi.Begin("strf", nullptr);
  BITMAPINFOHEADER format = Rgb24Header(width, height);
  format.biSizeImage = frameSize;
  avi.Bytes(&format, sizeof format);
  avi.End();
  avi.End();  // strl
  avi.End();  // hdrl
  avi.Begin("LIST", "movi");
  size_t moviData = avi.size() - 4;  // index offsets count from the "movi" tag
  std::vector<uint32_t> offsets;
  for (int f = 0; f < frames; ++f) {
    offsets.push_back(static_cast<uint32_t>(avi.size() - moviData));
    // The corner pixel is the background, which a transparent control
    // leaves out; the bar steps right from frame to frame.
    std::string pixels(frameSize, '\xFF');
    int step = (width - 16) / frames;
    int bar = 8 + step * f;
    for (int y = 4; y < height - 4; ++y)
      for (int x = bar; x < bar + step; ++x) {
        char* px = &pixels[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
        px[0] = '\xC0';  // blue
        px[1] = '\x40';
        px[2] = '\x20';
      }
    avi.Begin("00db", nullptr);
    avi.Bytes(pixels.data(), pixels.size());
    avi.End();
  }
  avi.End();  // movi
  avi.Begin("idx1", nullptr);
  for (uint32_t offset : offsets) {
    avi.PutTag("00db");
    avi.Put32(0x10);  // key frame
    avi.Put32(offset);
    avi.Put32(frameSize);
  }
  avi.End();
  avi.End();  // RIFF
  return WriteBytes(path, avi.data().data(), avi.size());
}

}  // namespace nimbet_test
