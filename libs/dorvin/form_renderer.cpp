// The renderer: runs a compiled form once on a printer page, or writes the
// same content into a page file. Boxes are millimetres from the top left
// corner inside the margins; a box frames the texts after it; texts have
// their [expressions] evaluated at this moment.
#include <cstdlib>
#include <cstring>
#include <string>

#include "compiled_form.h"
#include "form_messages.h"
#include "page_file.h"
#include "report_form.h"
#include "script_font.h"
#include "wennic.h"

namespace {

const size_t kTextRoom = 512;
const size_t kExpressionRoom = 63;

uint16_t ReadU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// Face, size and style of an 'F' code; the face follows the two bytes.
HFONT MakeFont(HDC dc, const unsigned char* code) {
  char style[2] = {static_cast<char>(code[2]), 0};
  return CreateScriptFont(dc, reinterpret_cast<const char*>(code + 3), code[1], style);
}

BOOL WriteFontRecord(HANDLE file, const unsigned char* code) {
  return WritePageFont(file, reinterpret_cast<const char*>(code + 3), code[1],
                       static_cast<char>(code[2]));
}

size_t TextLength(const unsigned char* p) { return std::strlen(reinterpret_cast<const char*>(p)); }

}  // namespace

uint16_t ReportForm::RenderForm(ReportPage& page, int16_t index) {
  if (!formBlock_ || !page.dc) return 0;
  const unsigned char* code = static_cast<const unsigned char*>(GlobalLock(formBlock_));
  if (!code) return 0;
  if (code[0] != compiled_form::kFont) {
    GlobalUnlock(formBlock_);
    return 0;
  }
  // 1. The device and the printable area.
  dc_ = page.dc;
  SetMapMode(dc_, MM_TEXT);
  page.MeasurePage();
  page.columnCount = 0;
  int horzSize = GetDeviceCaps(dc_, HORZSIZE);
  int vertSize = GetDeviceCaps(dc_, VERTSIZE);
  pixelsPerMmAcross_ = horzSize ? static_cast<float>(GetDeviceCaps(dc_, HORZRES)) / horzSize : 0;
  pixelsPerMmDown_ = vertSize ? static_cast<float>(page.pageHeight) / vertSize : 0;

  // 2. The first font is the base font of the whole run.
  HFONT base = MakeFont(dc_, code);
  HGDIOBJ before = SelectObject(dc_, base);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc_, &metrics);
  SelectObject(dc_, before);
  quarterCharWidth_ = static_cast<uint16_t>(metrics.tmAveCharWidth / 4);
  quarterLineHeight_ = static_cast<uint16_t>((metrics.tmHeight + metrics.tmExternalLeading) / 4);

  // 3. Part heights on the device.
  uint16_t scaled[compiled_form::kMaxParts] = {};
  uint16_t formHeight = 0;
  for (int i = 0; i < parts_.count && i < compiled_form::kMaxParts; ++i) {
    scaled[i] = static_cast<uint16_t>(parts_.heights[i] * pixelsPerMmDown_);
    formHeight = static_cast<uint16_t>(formHeight + scaled[i]);
  }
  // 4. Measuring ends here.
  if (index < 0) {
    DeleteObject(base);
    GlobalUnlock(formBlock_);
    return formHeight;
  }
  uint16_t offset = index == 0 ? 0 : static_cast<uint16_t>(formHeight * (index - 1));

  // 5. The base font opens the run.
  if (page.pageFile) WriteFontRecord(page.pageFile, code);
  PushObject(base);

  // 6. The codes after the base font; the table part may move the top
  // margin down to its end, for this run only.
  const LONG top = page.margins.top;
  RECT frame = {page.margins.left, top + offset, page.margins.left + page.width,
                page.BottomLimit()};
  HFONT pending = nullptr;
  const unsigned char* p = code + 3 + TextLength(code + 3) + 1;
  // The headings of the 'D' record end at the last column's heading.
  size_t headingsUsed = 0;
  uint32_t error = 0;
  for (bool more = true; more;) {
    switch (*p) {
      case compiled_form::kEnd:
      case 'E':
        if (page.pageFile && index == 0) WritePageEnd(page.pageFile);
        more = false;
        break;
      case compiled_form::kBox:
        RunBox(page, p, offset, frame);
        p += 10;
        break;
      case compiled_form::kFont:
        if (pending) DeleteObject(pending);  // a font no text used
        pending = MakeFont(dc_, p);
        if (page.pageFile) WriteFontRecord(page.pageFile, p);
        p += 3 + TextLength(p + 3) + 1;
        break;
      case compiled_form::kText: {
        char text[kTextRoom];
        uint32_t failed = ExpandText(reinterpret_cast<const char*>(p + 2), text);
        if (failed) error = failed;
        char alignment = static_cast<char>(p[1]);
        if (page.pageFile) {
          WritePageText(page.pageFile, alignment == 'C' || alignment == 'R' ? alignment : 'L', text);
        } else {
          UINT format = DT_WORDBREAK | (alignment == 'C' ? DT_CENTER : alignment == 'R' ? DT_RIGHT : DT_LEFT);
          bool pushed = pending && PushObject(pending);
          RECT box = frame;
          DrawTextA(dc_, text, -1, &box, format);
          if (pushed) PopObject();
        }
        if (pending) DeleteObject(pending);
        pending = nullptr;
        p += 2 + TextLength(p + 2) + 1;
        break;
      }
      case compiled_form::kColumn: {
        AddColumn(page, p);
        const unsigned char* after = p + 1 + TextLength(p + 1) + 1;
        headingsUsed = static_cast<size_t>(ReadU16(after + 2)) + after[4] + 1;
        p = after + 6;
        break;
      }
      case compiled_form::kTable: {
        // An earlier error stays recorded through a table that printed.
        if (uint32_t result = RunTable(page, p + 1, headingsUsed, pending, base, scaled[0], scaled[1]))
          error = result;
        page.columnCount = 0;
        p += 1 + headingsUsed;
        headingsUsed = 0;
        break;
      }
      case compiled_form::kPicture:
        p += 1 + TextLength(p + 1) + 1;
        break;
      default:
        ++p;
        break;
    }
    // 7. An error is asked about after every code until Cancel.
    if (error && more && ERRBOX(GetFocus(), static_cast<int>(error), MB_OKCANCEL, nullptr) == IDCANCEL) {
      cancelled_ = true;
      more = false;
      // The document still ends as a page file must.
      if (page.pageFile && index == 0) WritePageEnd(page.pageFile);
    }
  }
  // 8. The font selected before the run returns.
  if (pending) DeleteObject(pending);
  while (ObjectCount()) PopObject();
  DeleteObject(base);
  page.margins.top = top;
  page.columnCount = 0;
  GlobalUnlock(formBlock_);
  return offset;
}

void ReportForm::RunBox(ReportPage& page, const unsigned char* code, int offset, RECT& frame) {
  RECT box;
  box.left = static_cast<LONG>(ReadU16(code + 1) * pixelsPerMmAcross_) + page.margins.left;
  box.top = static_cast<LONG>(ReadU16(code + 3) * pixelsPerMmDown_) + offset + page.margins.top;
  box.right = static_cast<LONG>(ReadU16(code + 5) * pixelsPerMmAcross_) + page.margins.left;
  box.bottom = static_cast<LONG>(ReadU16(code + 7) * pixelsPerMmDown_) + offset + page.margins.top;
  if (box.bottom > page.BottomLimit()) box.bottom = page.BottomLimit();
  uint8_t sides = code[9];
  if (page.pageFile) {
    WritePageBox(page.pageFile, &box, sides);
  } else if (sides) {
    // Around from the bottom left corner: left, top, right, bottom side.
    const POINT corners[4] = {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom},
                              {box.left, box.bottom}};
    MoveToEx(dc_, box.left, box.bottom, nullptr);
    unsigned bits = sides;
    for (const POINT& corner : corners) {
      if (bits & 0xC0)
        LineTo(dc_, corner.x, corner.y);
      else
        MoveToEx(dc_, corner.x, corner.y, nullptr);
      bits <<= 2;
    }
  }
  frame = RECT{box.left + quarterCharWidth_, box.top + quarterLineHeight_,
               box.right - quarterCharWidth_, box.bottom - quarterLineHeight_};
}

uint32_t ReportForm::ExpandText(const char* t, char* out) {
  size_t n = 0;
  uint32_t failed = 0;
  auto append = [&](const char* text, size_t length) {
    for (size_t i = 0; i < length && n < kTextRoom - 1; ++i) out[n++] = text[i];
  };
  while (*t) {
    if (*t != '[') {
      append(t++, 1);
      continue;
    }
    // Up to 63 characters to "]"; a longer one keeps its tail as text.
    const char* start = ++t;
    while (*t && *t != ']' && static_cast<size_t>(t - start) < kExpressionRoom) ++t;
    std::string expression(start, static_cast<size_t>(t - start));
    if (*t == ']') ++t;
    SetError(0);
    const char* e = expression.c_str();
    if (Evaluate(e) || GetError()) {
      if (!failed) failed = GetError() ? GetError() : kEvalErrorSyntax;
      append(expression.data(), expression.size());
      continue;
    }
    VARIABLE* value = Depth() ? PopValue() : nullptr;
    if (value && n < kTextRoom - 1) {
      value->GetText(out + n, kTextRoom - n, 0);
      n += std::strlen(out + n);
    }
  }
  out[n] = 0;
  return failed;
}

void ReportForm::AddColumn(ReportPage& page, const unsigned char* code) {
  const char* name = reinterpret_cast<const char*>(code + 1);
  const unsigned char* after = code + 1 + std::strlen(name) + 1;
  if (page.columnCount >= compiled_form::kMaxColumns) return;
  TableColumn& column = page.columns[page.columnCount++];
  long field = name[0] >= '0' && name[0] <= '9' ? std::atol(name) : CheckField(name);
  column.field = static_cast<uint16_t>(field);
  column.width = static_cast<uint16_t>(ReadU16(after) * pixelsPerMmAcross_);
  column.titleOffset = ReadU16(after + 2);
  column.titleLength = after[4];
  column.footerLines = after[5];
  column.x = 0;
  if (column.field && IsColumnHidden(column.field)) column.width = 0;
}

uint32_t ReportForm::RunTable(ReportPage& page, const unsigned char* headings, size_t used,
                              HFONT& pending, HFONT base, uint16_t above, uint16_t below) {
  std::string joined(reinterpret_cast<const char*>(headings), used);
  for (int k = 1; k < page.columnCount; ++k) {
    TableColumn& column = page.columns[k];
    column.x = static_cast<uint16_t>(page.columns[k - 1].x + page.columns[k - 1].width);
    if (column.titleOffset > 0 && column.titleOffset <= joined.size())
      joined[column.titleOffset - 1] = '|';
  }
  if (page.columnCount) page.columns[0].x = 0;
  if (!joined.empty() && joined.back() == 0) joined.pop_back();
  HFONT printFont = page.font;
  page.font = pending ? pending : base;
  uint32_t result = PrintTable(page, joined.c_str(), above, below);
  page.font = printFont;
  if (pending) DeleteObject(pending);
  pending = nullptr;
  if (page.pageFile) WritePageGrid(page.pageFile);
  return result;
}
