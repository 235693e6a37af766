// Draws page-file records on a device: the screen, scaled and scrolled by
// the view (one page; the page's first font fixes the scales), or a
// printer in its own units (every page; each font at level 0 replaces the
// base font).
#pragma once
#include <windows.h>

#include <vector>

#include "buffer_records.h"
#include "page_view.h"

class PageDrawer {
 public:
  // view: the screen view whose scales and scroll positions apply; null
  // for a printer.
  PageDrawer(HDC dc, PageView* view);
  // Deletes the fonts made for the drawing; the DC gets its own back.
  ~PageDrawer();
  PageDrawer(const PageDrawer&) = delete;
  PageDrawer& operator=(const PageDrawer&) = delete;

  // A '#' record: the page's state starts afresh.
  void StartPage(const BYTE* page);
  // Any record of the page after its '#'.
  void Draw(BYTE* data, const selvy::PageRecord& record);
  // Draws the box still pending.
  void FinishPage();

 private:
  int X(int32_t x) const;
  int Y(int32_t y) const;
  void Select(HFONT font);
  HFONT MakeFont(const BYTE* data, const BYTE* fontRecord);
  void FixScales();
  void DrawBox(const BYTE* box);
  void DrawLabel(const selvy::RecordText& text, RECT rect, UINT format);
  void LowerLevel();

  void OnFont(const BYTE* data, const selvy::PageRecord& record);
  void OnText(const BYTE* data, const selvy::PageRecord& record);
  void OnHead(const BYTE* data, const selvy::PageRecord& record);
  void OnCell(const BYTE* data, const selvy::PageRecord& record);
  void OnGrid(BYTE* data, const selvy::PageRecord& record);

  HDC dc_;
  PageView* view_;
  HGDIOBJ oldFont_, oldPen_;
  int oldMode_;
  double xScale_ = 1, yScale_ = 1;
  int hPos_ = 0, vPos_ = 0;
  const BYTE* page_ = nullptr;
  bool firstFont_ = true;
  HFONT baseFont_ = nullptr;
  // 'F' records by level: 0 for the page, 1 inside a box.
  const BYTE* levels_[2] = {nullptr, nullptr};
  int level_ = 0;
  const BYTE* pendingBox_ = nullptr;
  // The group of heads being drawn.
  std::vector<const BYTE*> heads_;
  HFONT headFont_ = nullptr;
  int32_t groupLeft_ = 0, groupTop_ = 0, groupRight_ = 0, groupBottom_ = 0;
  int32_t headsBottom_ = 0, rowsBottom_ = 0;
};
