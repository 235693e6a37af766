#include "script_font.h"

#include "text_helpers.h"

HFONT CreateScriptFont(HDC dc, const char* face, int points, const char* style) {
  LOGFONTA font{};
  font.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  if (style && style[0] == 'B') font.lfWeight = FW_BOLD;
  if (style && style[0] == 'I') font.lfItalic = TRUE;
  // The system's character set: scripts write 1251 text.
  font.lfCharSet = DEFAULT_CHARSET;
  CopyText(font.lfFaceName, sizeof font.lfFaceName, face ? face : "");
  return CreateFontIndirectA(&font);
}

int DeviceCharWidth(HDC dc) {
  SIZE size{};
  GetTextExtentPoint32A(dc, "N", 1, &size);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  return size.cx > metrics.tmAveCharWidth ? size.cx : metrics.tmAveCharWidth;
}
