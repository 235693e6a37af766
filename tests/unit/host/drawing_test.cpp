// Drawing on the test display: DrawDib into memory, the PICTURE control
// on screen, and fonts.
#include <gtest/gtest.h>

#include "builders.h"
#include "dib.h"
#include "picture_control.h"
#include "resource_reader.h"
#include "script_font.h"

namespace {

// A packed DIB with a 40-byte header; pixels top row first, 0xRRGGBB or
// colour indexes.
HGLOBAL MakeDib(int width, int height, unsigned bits, const std::vector<uint32_t>& pixels,
                const std::vector<uint32_t>& table = {}) {
  Bytes b;
  for (uint32_t v : {40u, uint32_t(width), uint32_t(height), 1u | (bits << 16), 0u, 0u, 0u, 0u,
                     uint32_t(table.size()), 0u})
    PutDword(b, v);
  for (uint32_t rgb : table) PutDword(b, rgb);
  const uint32_t stride = (static_cast<uint32_t>(width) * bits + 31) / 32 * 4;
  for (int stored = 0; stored < height; ++stored) {
    Bytes line;
    for (int x = 0; x < width; ++x) {
      const uint32_t v = pixels[(height - 1 - stored) * width + x];  // bottom row first
      if (bits == 8) PutByte(line, v);
      if (bits == 16) PutWord(line, v);
      if (bits == 24) PutDword(line, v), line.pop_back();
    }
    line.resize(stride);
    b.insert(b.end(), line.begin(), line.end());
  }
  return CopyToGlobal(b.data(), b.size());
}

COLORREF Rgb(uint32_t rrggbb) { return RGB(rrggbb >> 16, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF); }

TEST(DrawDib, IndexedTrueColourAndUndrawableImages) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 20, 20);
  HGDIOBJ old = SelectObject(dc, canvas);
  RECT all = {0, 0, 20, 20};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  HGLOBAL indexed = MakeDib(2, 2, 8, {0, 1, 1, 0}, {0xFF0000, 0x0000FF});
  ASSERT_EQ(1, DrawDib(indexed, dc, 3, 4, 0, 0));  // at its own size
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 3, 4));
  EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 4, 4));
  EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 5, 4));
  HGLOBAL direct = MakeDib(2, 2, 24, {0x123456, 0x00FF00, 0xABCDEF, 0x000000});
  ASSERT_EQ(1, DrawDib(direct, dc, 0, 10, 8, 8));
  EXPECT_EQ(Rgb(0x123456), GetPixel(dc, 1, 11));
  EXPECT_EQ(Rgb(0x000000), GetPixel(dc, 6, 16));
  // 16 bits without a colour table have no palette; a block shorter than
  // its header says is refused.
  HGLOBAL high = MakeDib(2, 2, 16, {0x7C00, 0x7C00, 0x7C00, 0x7C00});
  EXPECT_EQ(0, DrawDib(high, dc, 0, 0, 0, 0));
  EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 0, 0));
  HGLOBAL cut = GlobalReAlloc(MakeDib(4, 4, 24, std::vector<uint32_t>(16, 0)), 50, GMEM_MOVEABLE);
  EXPECT_EQ(0, DrawDib(cut, dc, 0, 0, 0, 0));
  for (HGLOBAL block : {indexed, direct, high, cut}) GlobalFree(block);

  // The compiled sample bitmap: its first stored row is the bottom one.
  HGLOBAL logo = ReadResource32(KORVEX_SAMPLE_RES, kResourceBitmap, "LOGO");
  ASSERT_EQ(1, DrawDib(logo, dc, 0, 0, 0, 0));
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 0, 1));
  EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 0, 0));
  GlobalFree(logo);
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

WPARAM commandId;
LPARAM commandPlace;
LRESULT CALLBACK OwnerProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_COMMAND) commandId = wp, commandPlace = lp;
  return DefWindowProcA(w, m, wp, lp);
}

TEST(PictureControl, StretchesItsImageAndReportsDoubleClicks) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  EXPECT_EQ(1, RegisterPictureClass(instance));
  EXPECT_EQ(0, RegisterPictureClass(instance));
  WNDCLASSA ownerClass{};
  ownerClass.lpfnWndProc = OwnerProc;
  ownerClass.hInstance = instance;
  ownerClass.lpszClassName = "KorvexTestOwner";
  RegisterClassA(&ownerClass);
  HWND owner = CreateWindowA("KorvexTestOwner", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
  HWND picture = CreateWindowA("PICTURE", "", WS_POPUP | WS_VISIBLE, 50, 60, 40, 20, nullptr, nullptr, instance,
                               nullptr);
  ASSERT_NE(nullptr, picture);
  HGLOBAL image = MakeDib(2, 1, 8, {0, 1}, {0xFF0000, 0x0000FF});
  ASSERT_TRUE(SetPictureImage(picture, owner, 77, image));
  EXPECT_EQ(image, GetPictureImage(picture));
  UpdateWindow(picture);
  HDC dc = GetDC(picture);
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 19, 10));
  EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 21, 19));
  EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 39, 0));
  ReleaseDC(picture, dc);

  SendMessageA(picture, WM_LBUTTONDBLCLK, 0, MAKELPARAM(7, 9));
  EXPECT_EQ(77u, commandId);
  EXPECT_EQ(MAKELPARAM(7, 9), commandPlace);
  commandId = 0;
  SetPictureImage(picture, owner, 0, image);
  SendMessageA(picture, WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_EQ(0u, commandId);
  DestroyWindow(picture);
  DestroyWindow(owner);
  GlobalFree(image);
}

TEST(ScriptFont, HeightStyleFaceAndCharacterSet) {
  HDC dc = GetDC(nullptr);
  LOGFONTA f;
  HFONT bold = CreateScriptFont(dc, "Arial", 12, "B");
  ASSERT_TRUE(GetObjectA(bold, sizeof f, &f));
  EXPECT_EQ(-MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72), f.lfHeight);
  HFONT italic = CreateScriptFont(dc, "A face name longer than thirty-one characters", 12, "I");
  GetObjectA(italic, sizeof f, &f);
  EXPECT_TRUE(f.lfItalic);
  EXPECT_EQ(31u, strlen(f.lfFaceName));
  // Scripts write 1251 text: the font must carry Cyrillic.
  HGDIOBJ old = SelectObject(dc, bold);
  EXPECT_EQ(RUSSIAN_CHARSET, GetTextCharset(dc));
  EXPECT_GT(DeviceCharWidth(dc), 0);
  SelectObject(dc, old);
  DeleteObject(bold);
  DeleteObject(italic);
  ReleaseDC(nullptr, dc);
}

}  // namespace
