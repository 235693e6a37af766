#include "page_drawer.h"

#include "script_font.h"

using namespace selvy;

namespace {

// Coordinates of damaged files stay within what GDI takes.
int Clamped(double value) {
  const double kLimit = 1 << 26;
  if (value > kLimit) return static_cast<int>(kLimit);
  if (value < -kLimit) return static_cast<int>(-kLimit);
  return static_cast<int>(value);
}

}  // namespace

PageDrawer::PageDrawer(HDC dc, PageView* view) : dc_(dc), view_(view) {
  oldFont_ = GetCurrentObject(dc, OBJ_FONT);
  oldPen_ = SelectObject(dc, GetStockObject(BLACK_PEN));
  oldMode_ = SetBkMode(dc, TRANSPARENT);
  heads_.reserve(32);
}

PageDrawer::~PageDrawer() {
  SelectObject(dc_, oldFont_);
  SelectObject(dc_, oldPen_);
  SetBkMode(dc_, oldMode_);
  if (headFont_) DeleteObject(headFont_);
  if (baseFont_) DeleteObject(baseFont_);
}

int PageDrawer::X(int32_t x) const { return Clamped(x * xScale_) - hPos_; }
int PageDrawer::Y(int32_t y) const { return Clamped(y * yScale_) - vPos_; }

void PageDrawer::Select(HFONT font) { SelectObject(dc_, font ? font : oldFont_); }

void PageDrawer::StartPage(const BYTE* page) {
  page_ = page;
  firstFont_ = true;
  levels_[0] = levels_[1] = nullptr;
  level_ = 0;
  pendingBox_ = nullptr;
  heads_.clear();
  if (headFont_) {
    Select(baseFont_);
    DeleteObject(headFont_);
    headFont_ = nullptr;
  }
  if (view_) {
    xScale_ = view_->xScale;
    yScale_ = view_->yScale;
    hPos_ = view_->hPos;
    vPos_ = view_->vPos;
  }
}

HFONT PageDrawer::MakeFont(const BYTE* data, const BYTE* fontRecord) {
  PageRecord record{static_cast<int32_t>(fontRecord - data), UInt16At(fontRecord, field::kLength), kFontRecord};
  RecordText face = TextOf(data, record, field::kFace);
  char name[LF_FACESIZE] = "";
  int length = face.length < LF_FACESIZE ? face.length : LF_FACESIZE - 1;
  memcpy(name, face.text, length);
  name[length] = 0;
  char style[2] = {static_cast<char>(fontRecord[field::kStyle]), 0};
  return CreateScriptFont(dc_, name, fontRecord[field::kPoints], style);
}

// The screen's character metrics in the base font against the page's.
void PageDrawer::FixScales() {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc_, &metrics);
  xScale_ = view_->xScale = static_cast<double>(metrics.tmAveCharWidth) / PageCharWidth(page_) + 0.02;
  yScale_ = view_->yScale =
      static_cast<double>(metrics.tmHeight + metrics.tmExternalLeading) / PageLineHeight(page_) + 0.02;
  double width = Int32At(page_, field::kPageWidth) * xScale_ - view_->clientWidth;
  double height = Int32At(page_, field::kPageHeight) * yScale_ - view_->clientHeight;
  SetScrollRange(view_->window, SB_HORZ, 0, width > 1 ? Clamped(width) : 1, FALSE);
  SetScrollRange(view_->window, SB_VERT, 0, height > 1 ? Clamped(height) : 1, FALSE);
  SetScrollPos(view_->window, SB_HORZ, view_->hPos, TRUE);
  SetScrollPos(view_->window, SB_VERT, view_->vPos, TRUE);
}

void PageDrawer::Draw(BYTE* data, const PageRecord& record) {
  switch (record.type) {
    case kFontRecord:
      OnFont(data, record);
      break;
    case kBoxRecord:
      if (pendingBox_) DrawBox(pendingBox_);
      pendingBox_ = data + record.offset;
      level_ = 1;
      break;
    case kTextRecord:
      OnText(data, record);
      break;
    case kHeadRecord:
      OnHead(data, record);
      break;
    case kCellRecord:
    case kFooterRecord:
      OnCell(data, record);
      break;
    case kGridRecord:
      OnGrid(data, record);
      break;
    default:
      break;
  }
}

void PageDrawer::FinishPage() {
  if (pendingBox_) DrawBox(pendingBox_);
  pendingBox_ = nullptr;
}

void PageDrawer::LowerLevel() {
  if (level_ > 0) --level_;
}

void PageDrawer::OnFont(const BYTE* data, const PageRecord& record) {
  const BYTE* font = data + record.offset;
  levels_[level_] = font;
  bool base = view_ ? firstFont_ : level_ == 0;
  firstFont_ = false;
  if (!base) return;
  HFONT made = MakeFont(data, font);
  if (!made) return;
  Select(made);
  if (baseFont_) DeleteObject(baseFont_);
  baseFont_ = made;
  if (view_) FixScales();
  if (headFont_) Select(headFont_);
}

void PageDrawer::DrawBox(const BYTE* box) {
  BYTE sides = box[field::kSides];
  int left = X(Int32At(box, field::kBoxLeft)), top = Y(Int32At(box, field::kBoxTop));
  int right = X(Int32At(box, field::kBoxRight)), bottom = Y(Int32At(box, field::kBoxBottom));
  const POINT corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  MoveToEx(dc_, left, bottom, nullptr);
  for (int side = 0; side < 4; ++side) {
    if ((sides >> (6 - 2 * side)) & 3)
      LineTo(dc_, corners[side].x, corners[side].y);
    else
      MoveToEx(dc_, corners[side].x, corners[side].y, nullptr);
  }
}

void PageDrawer::DrawLabel(const RecordText& text, RECT rect, UINT format) {
  if (text.length > 0) DrawTextA(dc_, text.text, text.length, &rect, format | DT_NOPREFIX);
}

void PageDrawer::OnText(const BYTE* data, const PageRecord& record) {
  const BYTE* at = data + record.offset;
  if (pendingBox_) {
    const BYTE* box = pendingBox_;
    pendingBox_ = nullptr;
    DrawBox(box);
    double margin = PageCharWidth(page_) * xScale_ / 4;
    int inset = margin > 1 ? Clamped(margin) : 1;
    RECT rect = {X(Int32At(box, field::kBoxLeft)) + inset, Y(Int32At(box, field::kBoxTop)) + inset,
                 X(Int32At(box, field::kBoxRight)) - inset, Y(Int32At(box, field::kBoxBottom)) - inset};
    UINT format = DT_WORDBREAK;
    if (at[field::kAlignment] == 'C') format |= DT_CENTER;
    if (at[field::kAlignment] == 'R') format |= DT_RIGHT;
    HFONT font = levels_[level_] ? MakeFont(data, levels_[level_]) : nullptr;
    if (font) Select(font);
    DrawLabel(TextOf(data, record, field::kText), rect, format);
    if (font) {
      Select(headFont_ ? headFont_ : baseFont_);
      DeleteObject(font);
    }
  }
  LowerLevel();
}

void PageDrawer::OnHead(const BYTE* data, const PageRecord& record) {
  const BYTE* head = data + record.offset;
  if (heads_.empty()) {
    if (level_ >= 1 && levels_[level_]) headFont_ = MakeFont(data, levels_[level_]);
    if (headFont_) Select(headFont_);
    groupLeft_ = Int32At(head, field::kHeadLeft);
    groupTop_ = Int32At(head, field::kHeadTop);
    headsBottom_ = groupBottom_ = rowsBottom_ = Int32At(head, field::kHeadBottom);
  }
  heads_.push_back(head);
  groupRight_ = Int32At(head, field::kHeadRight);
  RECT rect = {X(Int32At(head, field::kHeadLeft)), Y(Int32At(head, field::kHeadTop)), X(Int32At(head, field::kHeadRight)),
               Y(Int32At(head, field::kHeadBottom))};
  DrawLabel(TextOf(data, record, field::kTitle), rect, DT_CENTER | DT_WORDBREAK);
}

void PageDrawer::OnCell(const BYTE* data, const PageRecord& record) {
  const BYTE* cell = data + record.offset;
  const BYTE* head = nullptr;
  for (const BYTE* h : heads_)
    if (h[field::kHeadColumn] == cell[field::kCellColumn]) {
      head = h;
      break;
    }
  if (!head) return;
  int32_t top = Int32At(cell, field::kCellTop), bottom = Int32At(cell, field::kCellBottom);
  int32_t groupBottom = record.type == kFooterRecord && bottom < INT32_MAX ? bottom + 1 : bottom;
  if (groupBottom > groupBottom_) groupBottom_ = groupBottom;
  if (record.type == kCellRecord) rowsBottom_ = bottom;
  int inset = Clamped(PageCharWidth(page_) * xScale_ / 2);
  RECT rect = {X(Int32At(head, field::kHeadLeft)) + inset, Y(top), X(Int32At(head, field::kHeadRight)) - inset,
               Y(bottom)};
  DrawLabel(TextOf(data, record, field::kCellText), rect, UInt16At(cell, field::kCellFlags));
}

void PageDrawer::OnGrid(BYTE* data, const PageRecord& record) {
  if (!heads_.empty()) {
    int left = X(groupLeft_), top = Y(groupTop_), right = X(groupRight_), bottom = Y(groupBottom_);
    int headsLine = Y(headsBottom_), rowsLine = Y(rowsBottom_);
    MoveToEx(dc_, left, top, nullptr);
    LineTo(dc_, right, top);
    LineTo(dc_, right, bottom);
    LineTo(dc_, left, bottom);
    LineTo(dc_, left, top);
    for (int y : {headsLine, rowsLine}) {
      MoveToEx(dc_, left, y, nullptr);
      LineTo(dc_, right, y);
    }
    for (const BYTE* head : heads_) {
      int x = X(Int32At(head, field::kHeadLeft));
      MoveToEx(dc_, x, top, nullptr);
      LineTo(dc_, x, bottom);
    }
    if (view_) {
      BYTE* grid = data + record.offset + field::kGridValues;
      const int32_t values[6] = {headsLine, rowsLine, left, top, right, bottom};
      for (int i = 0; i < 6; ++i) SetInt32At(grid, 4 * i, values[i]);
    }
    heads_.clear();
    if (headFont_) {
      Select(baseFont_);
      DeleteObject(headFont_);
      headFont_ = nullptr;
    }
  }
  LowerLevel();
}
