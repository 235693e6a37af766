// Drawing on a real display: DrawDib into memory, the PICTURE control
// painting on screen, and fonts.
#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "bmp_file.h"
#include "dib.h"
#include "picture_control.h"
#include "resource_reader.h"
#include "script_font.h"

namespace {

// Packed DIB with 40-byte header; pixels given top row first as 0xRRGGBB.
HGLOBAL MakeDib(int width, int height, unsigned bits, const std::vector<COLORREF>& pixels,
                const std::vector<uint32_t>& table = {}) {
  Bytes b;
  PutDword(b, 40);
  PutDword(b, static_cast<uint32_t>(width));
  PutDword(b, static_cast<uint32_t>(height));
  PutWord(b, 1);
  PutWord(b, bits);
  PutDword(b, 0);
  PutDword(b, 0);
  PutDword(b, 0);
  PutDword(b, 0);
  PutDword(b, static_cast<uint32_t>(table.size()));
  PutDword(b, 0);
  for (uint32_t rgb : table) PutDword(b, rgb);
  const uint32_t stride = (static_cast<uint32_t>(width) * bits + 31) / 32 * 4;
  const int rows = height < 0 ? -height : height;
  for (int stored = 0; stored < rows; ++stored) {
    const int row = height < 0 ? stored : rows - 1 - stored;  // bottom-up stores the last row first
    Bytes line;
    for (int x = 0; x < width; ++x) {
      uint32_t v = pixels[row * width + x];
      if (bits == 8) {
        PutByte(line, v);
      } else if (bits == 16) {
        PutWord(line, v);
      } else {
        PutByte(line, v & 0xFF);
        PutByte(line, (v >> 8) & 0xFF);
        PutByte(line, (v >> 16) & 0xFF);
      }
    }
    line.resize(stride);
    b.insert(b.end(), line.begin(), line.end());
  }
  return CopyToGlobal(b.data(), b.size());
}

COLORREF Rgb(uint32_t rrggbb) { return RGB(rrggbb >> 16, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF); }

class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    RECT all = {0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~MemoryCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST(DrawDib, PaletteAndTrueColourImages) {
  // 8 bits through the colour table, drawn at its own size.
  HGLOBAL indexed = MakeDib(2, 2, 8, {0, 1, 1, 0}, {0xFF0000, 0x0000FF});
  MemoryCanvas canvas(20, 20);
  ASSERT_EQ(1, DrawDib(indexed, canvas.dc(), 3, 4, 0, 0));
  EXPECT_EQ(RGB(255, 0, 0), canvas.At(3, 4));
  EXPECT_EQ(RGB(0, 0, 255), canvas.At(4, 4));
  EXPECT_EQ(RGB(0, 0, 255), canvas.At(3, 5));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(5, 4));  // nothing beyond 2 x 2
  // 24 bits go through the colour cube palette and keep their colours.
  HGLOBAL direct = MakeDib(2, -2, 24, {0x123456, 0x00FF00, 0xABCDEF, 0x000000});
  ASSERT_EQ(1, DrawDib(direct, canvas.dc(), 0, 10, 8, 8));
  EXPECT_EQ(Rgb(0x123456), canvas.At(1, 11));
  EXPECT_EQ(Rgb(0x00FF00), canvas.At(6, 11));
  EXPECT_EQ(Rgb(0xABCDEF), canvas.At(1, 16));
  EXPECT_EQ(Rgb(0x000000), canvas.At(6, 16));
  // 16 bits without a colour table have no palette: nothing is drawn.
  HGLOBAL high = MakeDib(2, 2, 16, {0x7C00, 0x7C00, 0x7C00, 0x7C00});
  EXPECT_EQ(0, DrawDib(high, canvas.dc(), 0, 0, 0, 0));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(0, 0));
  // A block shorter than its header says is not drawn.
  HGLOBAL shortBlock = GlobalReAlloc(MakeDib(4, 4, 24, std::vector<COLORREF>(16, 0)), 50, GMEM_MOVEABLE);
  EXPECT_EQ(0, DrawDib(shortBlock, canvas.dc(), 0, 0, 0, 0));
  GlobalFree(shortBlock);
  GlobalFree(high);
  GlobalFree(direct);
  GlobalFree(indexed);
}

TEST(DrawDib, InfoPaletteAndCounts) {
  BITMAPINFOHEADER h{};
  h.biSize = 40;
  h.biBitCount = 4;
  EXPECT_EQ(16u, DibColorCount(&h));
  EXPECT_EQ(64u, DibColorTableSize(&h));
  h.biClrUsed = 5;
  EXPECT_EQ(5u, DibColorCount(&h));
  h.biClrUsed = 0;
  h.biBitCount = 24;
  EXPECT_EQ(0u, DibColorCount(&h));
  BITMAPCOREHEADER core{12, 3, 2, 1, 8};
  EXPECT_EQ(256u, DibColorCount(reinterpret_cast<BITMAPINFOHEADER*>(&core)));
  EXPECT_EQ(768u, DibColorTableSize(reinterpret_cast<BITMAPINFOHEADER*>(&core)));

  // The colour cube of 24-bit images.
  HPALETTE cube = CreateDibPalette(&h);
  ASSERT_NE(nullptr, cube);
  PALETTEENTRY e[256];
  ASSERT_EQ(256u, GetPaletteEntries(cube, 0, 256, e));
  EXPECT_EQ(5 * 32, e[5].peRed);
  EXPECT_EQ(0, e[5].peGreen);
  EXPECT_EQ(3 * 32, e[8 * 3].peGreen);
  EXPECT_EQ(3 * 64, e[64 * 3 + 1].peBlue);
  DeleteObject(cube);
  h.biBitCount = 32;
  EXPECT_EQ(nullptr, CreateDibPalette(&h));

  // Header info of a core-header bitmap resource comes out as 40 bytes.
  unsigned char coreDib[12 + 6 + 4] = {12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 1, 0};
  HGLOBAL block = CopyToGlobal(coreDib, sizeof coreDib);
  BITMAPINFOHEADER info;
  ASSERT_TRUE(GetDibInfo(block, &info));
  EXPECT_EQ(40u, info.biSize);
  EXPECT_EQ(3, info.biWidth);
  EXPECT_EQ(2u, info.biClrUsed);
  EXPECT_EQ(8u, info.biSizeImage);
  GlobalFree(block);
  // The bitmap resource of the compiled sample: biSizeImage kept, 2 colours.
  block = ReadResource32(KORVEX_SAMPLE_RES, kResourceBitmap, "LOGO");
  ASSERT_TRUE(GetDibInfo(block, &info));
  EXPECT_EQ(8u, info.biSizeImage);
  EXPECT_EQ(2u, info.biClrUsed);
  MemoryCanvas canvas(4, 4);
  ASSERT_EQ(1, DrawDib(block, canvas.dc(), 0, 0, 0, 0));
  EXPECT_EQ(RGB(255, 0, 0), canvas.At(0, 1));  // the first stored row is the bottom one
  EXPECT_EQ(RGB(0, 0, 255), canvas.At(1, 1));
  EXPECT_EQ(RGB(0, 0, 255), canvas.At(0, 0));
  GlobalFree(block);
}

struct CommandLog {
  static WPARAM wParam;
  static LPARAM lParam;
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND) {
      wParam = wp;
      lParam = lp;
      return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
  }
};
WPARAM CommandLog::wParam;
LPARAM CommandLog::lParam;

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST(PictureControl, PaintsTheImageOverItsClientArea) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  EXPECT_EQ(1, RegisterPictureClass(instance));
  EXPECT_EQ(0, RegisterPictureClass(instance));  // already there
  WNDCLASSA info;
  ASSERT_TRUE(GetClassInfoA(instance, "PICTURE", &info));
  EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), info.style);

  WNDCLASSA ownerClass{};
  ownerClass.lpfnWndProc = CommandLog::Proc;
  ownerClass.hInstance = instance;
  ownerClass.lpszClassName = "KorvexTestOwner";
  RegisterClassA(&ownerClass);
  HWND owner = CreateWindowA("KorvexTestOwner", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);

  HWND picture = CreateWindowA("PICTURE", "", WS_POPUP | WS_VISIBLE, 50, 60, 40, 20, nullptr, nullptr, instance,
                               nullptr);
  ASSERT_NE(nullptr, picture);
  EXPECT_EQ(nullptr, GetPictureImage(picture));
  // A 2 x 1 image (red, blue) and a 24-bit one are stretched over 40 x 20.
  HGLOBAL image = MakeDib(2, 1, 8, {0, 1}, {0xFF0000, 0x0000FF});
  ASSERT_TRUE(SetPictureImage(picture, owner, 77, image));
  EXPECT_EQ(image, GetPictureImage(picture));
  UpdateWindow(picture);
  PumpMessages();
  HDC dc = GetDC(picture);
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 5, 10));
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 19, 0));
  EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 21, 19));
  EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 39, 10));
  ReleaseDC(picture, dc);

  HGLOBAL direct = MakeDib(1, 2, 24, {0x20C040, 0xF08010});
  SetPictureImage(picture, owner, 77, direct);
  UpdateWindow(picture);
  PumpMessages();
  dc = GetDC(picture);
  EXPECT_EQ(Rgb(0x20C040), GetPixel(dc, 20, 5));
  EXPECT_EQ(Rgb(0xF08010), GetPixel(dc, 20, 15));
  ReleaseDC(picture, dc);

  // A double click goes to the owner as the control's command.
  SendMessageA(picture, WM_LBUTTONDBLCLK, 0, MAKELPARAM(7, 9));
  EXPECT_EQ(77u, CommandLog::wParam);
  EXPECT_EQ(MAKELPARAM(7, 9), CommandLog::lParam);
  // Without an id nothing is sent.
  CommandLog::wParam = 0;
  SetPictureImage(picture, owner, 0, direct);
  SendMessageA(picture, WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_EQ(0u, CommandLog::wParam);

  DestroyWindow(picture);
  DestroyWindow(owner);
  GlobalFree(direct);
  GlobalFree(image);
}

TEST(PictureControl, BmpFileShownInAPicture) {
  RegisterPictureClass(GetModuleHandleA(nullptr));
  // A core-header file with 4 bits: entry i is blue i, green 255 - i, red 3i.
  BmpSpec s;
  s.core = true;
  s.bitCount = 4;
  s.colors = 16;
  s.width = 1;
  s.height = 1;
  const std::string path = TempPath("korvex_picture.bmp");
  Bytes file = MakeBmp(s);
  file.back() = 0;
  file[file.size() - 4] = 0x50;  // the one pixel: colour 5
  WriteBytes(path, file);
  unsigned short error = 99;
  HGLOBAL image = LoadBitmapFile(path.c_str(), &error);
  ASSERT_NE(nullptr, image);
  HWND picture = CreateWindowA("PICTURE", "", WS_POPUP | WS_VISIBLE, 10, 10, 8, 8, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  SetPictureImage(picture, nullptr, 0, image);
  UpdateWindow(picture);
  PumpMessages();
  HDC dc = GetDC(picture);
  EXPECT_EQ(RGB(15, 250, 5), GetPixel(dc, 4, 4));
  ReleaseDC(picture, dc);
  DestroyWindow(picture);
  GlobalFree(image);
  DeleteFileA(path.c_str());
}

TEST(ScriptFont, HeightStyleAndCharacterWidth) {
  HDC dc = GetDC(nullptr);
  const int expected = -MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72);
  LOGFONTA f;
  HFONT bold = CreateScriptFont(dc, "Arial", 12, "B");
  ASSERT_TRUE(GetObjectA(bold, sizeof f, &f));
  EXPECT_EQ(expected, f.lfHeight);
  EXPECT_EQ(FW_BOLD, f.lfWeight);
  EXPECT_FALSE(f.lfItalic);
  EXPECT_STREQ("Arial", f.lfFaceName);
  HFONT italic = CreateScriptFont(dc, "A face name longer than thirty-one characters", 12, "Italic");
  GetObjectA(italic, sizeof f, &f);
  EXPECT_TRUE(f.lfItalic);
  EXPECT_EQ(0, f.lfWeight);
  EXPECT_EQ(31u, strlen(f.lfFaceName));
  HGDIOBJ old = SelectObject(dc, bold);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SIZE n;
  GetTextExtentPoint32A(dc, "N", 1, &n);
  EXPECT_EQ(n.cx > tm.tmAveCharWidth ? n.cx : tm.tmAveCharWidth, DeviceCharWidth(dc));
  EXPECT_GT(DeviceCharWidth(dc), 0);
  SelectObject(dc, old);
  DeleteObject(bold);
  DeleteObject(italic);
  ReleaseDC(nullptr, dc);
}

}  // namespace
