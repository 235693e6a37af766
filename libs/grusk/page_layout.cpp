// The page as the print settings lay it out: the print font and the
// margins on a device, and text boxes measured inside the margins.
#include <climits>

#include "device_scale.h"
#include "print_settings.h"

namespace {

// units + margin, held within the int range (margins come from the INI file).
int Shifted(int units, int margin) {
  long long sum = static_cast<long long>(units) + margin;
  return sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
}

}  // namespace

GRUSK_API HFONT WINAPI PRNFONT(HDC dc) {
  LOGFONTA font{};
  font.lfHeight = -MulDiv(settings->font.points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  // The character set of the system code page that scripts write in: with
  // ANSI_CHARSET a 1251 text would print through code page 1252.
  font.lfCharSet = DEFAULT_CHARSET;
  static_assert(sizeof font.lfFaceName == sizeof settings->font.face, "face sizes");
  lstrcpynA(font.lfFaceName, settings->font.face, sizeof font.lfFaceName);
  return CreateFontIndirectA(&font);
}

GRUSK_API void WINAPI PRNMARGIN(HDC dc, RECT* margins) {
  if (margins) *margins = MarginsInUnits(settings->margins, ScaleOf(dc));
}

GRUSK_API const GruskFont* WINAPI PRNGETFONT() { return &settings->font; }

GRUSK_API int WINAPI PRNBOX(HDC dc, int x1, int y1, int x2, int y2, const char* alignment, const char* text) {
  if (!text) return 0;
  MillimetreScale scale = ScaleOf(dc);
  RECT margins = MarginsInUnits(settings->margins, scale);
  // Coordinates are 16-bit millimetres from the corner inside the margins.
  RECT box{Shifted(ToDeviceUnits(LOWORD(x1), scale.horizontal), margins.left),
           Shifted(ToDeviceUnits(LOWORD(y1), scale.vertical), margins.top),
           Shifted(ToDeviceUnits(LOWORD(x2), scale.horizontal), margins.left),
           Shifted(ToDeviceUnits(LOWORD(y2), scale.vertical), margins.top)};
  UINT format = DT_WORDBREAK | DT_LEFT;
  if (alignment && alignment[0] == 'C') format = DT_WORDBREAK | DT_CENTER;
  if (alignment && alignment[0] == 'R') format = DT_WORDBREAK | DT_RIGHT;
  return DrawTextA(dc, text, -1, &box, format);
}
