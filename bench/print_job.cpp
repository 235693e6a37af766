// Print job benchmark (not a test): 100 pages of 40 text lines on the
// printer "PDF", once through Grusk (PRNBOX per line, PRNSHOW per page, the
// progress dialog) and once with the same DrawTextA calls made directly on
// the same DC and font. Prints pages per second up to the end of each
// document, and the median of each. The two take turns going first, as a
// finished job is turned into a PDF in the background while the next runs.
//   print_job [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "grusk.h"

namespace {

const int kPages = 100;
const int kLines = 40;
const int kLineHeight = 6;  // millimetres
const char kLine[] = "Строка отчёта: 1234,56 руб. Text of a report line";

using Clock = std::chrono::steady_clock;

double PagesPerSecond(Clock::time_point start) {
  return kPages / std::chrono::duration<double>(Clock::now() - start).count();
}

double ThroughGrusk(HDC dc, HFONT font) {
  Clock::time_point start = Clock::now();
  if (PRNSTART(nullptr, dc, "grusk_bench") != 0) return 0;
  for (int page = 1; page <= kPages; ++page) {
    StartPage(dc);
    HGDIOBJ old = SelectObject(dc, font);
    for (int line = 0; line < kLines; ++line)
      PRNBOX(dc, 0, line * kLineHeight, 180, line * kLineHeight + kLineHeight, "L", kLine);
    SelectObject(dc, old);
    EndPage(dc);
    if (PRNSHOW(page, kPages)) break;
  }
  if (PRNSTOP(nullptr, dc) != 0) return 0;
  return PagesPerSecond(start);
}

// The boxes PRNBOX draws, computed the same way beforehand.
double Direct(HDC dc, HFONT font) {
  float across = static_cast<float>(GetDeviceCaps(dc, HORZRES)) / static_cast<float>(GetDeviceCaps(dc, HORZSIZE));
  float down = static_cast<float>(GetDeviceCaps(dc, VERTRES)) / static_cast<float>(GetDeviceCaps(dc, VERTSIZE));
  RECT margins;
  PRNMARGIN(dc, &margins);
  std::vector<RECT> boxes;
  for (int line = 0; line < kLines; ++line)
    boxes.push_back(RECT{margins.left, static_cast<int>(line * kLineHeight * down) + margins.top,
                         static_cast<int>(180 * across) + margins.left,
                         static_cast<int>((line * kLineHeight + kLineHeight) * down) + margins.top});

  Clock::time_point start = Clock::now();
  DOCINFOA job{sizeof job, "grusk_bench_direct", nullptr, nullptr, 0};
  if (StartDocA(dc, &job) <= 0) return 0;
  for (int page = 1; page <= kPages; ++page) {
    StartPage(dc);
    HGDIOBJ old = SelectObject(dc, font);
    for (RECT box : boxes) DrawTextA(dc, kLine, -1, &box, DT_WORDBREAK | DT_LEFT);
    SelectObject(dc, old);
    EndPage(dc);
  }
  if (EndDoc(dc) <= 0) return 0;
  return PagesPerSecond(start);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  if (!SELPRINTER(nullptr)) {
    std::fprintf(stderr, "no default printer\n");
    return 1;
  }
  HDC dc = PRNCREATE();
  if (!dc) {
    std::fprintf(stderr, "no printer DC\n");
    return 1;
  }
  HFONT font = PRNFONT(dc);
  std::vector<double> grusk, direct;
  for (int round = 1; round <= rounds; ++round) {
    if (round % 2) {
      direct.push_back(Direct(dc, font));
      grusk.push_back(ThroughGrusk(dc, font));
    } else {
      grusk.push_back(ThroughGrusk(dc, font));
      direct.push_back(Direct(dc, font));
    }
    std::printf("round %d: grusk %.1f pages/s, direct %.1f pages/s\n", round, grusk.back(), direct.back());
  }
  double g = Median(grusk), d = Median(direct);
  std::printf("median: grusk %.1f pages/s, direct %.1f pages/s, grusk/direct %.3f\n", g, d, d > 0 ? g / d : 0);
  DeleteObject(font);
  DeleteDC(dc);
  return g > 0 && d > 0 ? 0 : 1;
}
