// Test support for the print library: Grusk loaded afresh (so that it reads
// the INI file again), the print keys of "KORVEX.INI" kept and put back,
// Unix commands run from Wine, and the PDF files that the printer "PDF"
// (cups-pdf) writes into ~/PDF read back with pdfinfo and pdftotext.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "grusk.h"

namespace grusk_test {

// Grusk.dll loaded by its module name, each export through the header's
// own declaration; the last FreeLibrary ends its settings.
class Grusk {
 public:
  Grusk();
  ~Grusk();
  Grusk(const Grusk&) = delete;
  Grusk& operator=(const Grusk&) = delete;
  bool loaded() const { return library_ != nullptr; }

  decltype(&SELFONT) selFont;
  decltype(&SETMARGIN) setMargin;
  decltype(&SELPRINTER) selPrinter;
  decltype(&PRNBOX) prnBox;
  decltype(&PRNCREATE) prnCreate;
  decltype(&PRNSTART) prnStart;
  decltype(&PRNSHOW) prnShow;
  decltype(&PRNSTOP) prnStop;
  decltype(&PRNFONT) prnFont;
  decltype(&PRNMARGIN) prnMargin;
  decltype(&PRNGETFONT) prnGetFont;

 private:
  HMODULE library_;
};

// "PrintMargin" and "PrintFont" of [MAIN] in "KORVEX.INI": the values met
// are put back (or removed) at the end of the scope.
class PrintKeys {
 public:
  PrintKeys();
  ~PrintKeys();
  PrintKeys(const PrintKeys&) = delete;
  PrintKeys& operator=(const PrintKeys&) = delete;
  // null removes the key
  static void Set(const char* margin, const char* font);
  static std::string Margin();
  static std::string Font();

 private:
  std::string margin_, font_;
  bool hadMargin_, hadFont_;
};

// A top-level window to own dialogs; destroyed with the object. Hidden:
// without a window manager Wine waits 2 s for a shown window to go.
class OwnerWindow {
 public:
  OwnerWindow();
  ~OwnerWindow();
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// A whole file's bytes; "" when it cannot be read.
std::string ReadFileText(const std::string& path);

// Runs a bash script (Unix, outside Wine) and returns what it printed,
// converted from UTF-8 to code page 1251; *exitCode gets its exit code
// (-1 when it did not finish within timeout ms).
std::string RunUnix(const std::string& script, DWORD timeout, int* exitCode = nullptr);

// Marks the moment before a job: only PDF files made after it count. The
// file found is removed with the watch.
class PdfWatch {
 public:
  PdfWatch();
  ~PdfWatch();
  PdfWatch(const PdfWatch&) = delete;
  PdfWatch& operator=(const PdfWatch&) = delete;
  // The newest PDF in ~/PDF made since the mark whose Title is title,
  // waited for up to seconds and taken (renamed, so that no other watch
  // finds it); its new path, or "" when none came.
  std::string Find(const std::string& title, int seconds) const;

 private:
  std::string marker_;
  mutable std::string found_;
};

struct PdfWord {
  double xMin, yMin, xMax, yMax;
  std::string text;  // code page 1251
};
std::string PdfText(const std::string& pdf);
std::vector<PdfWord> PdfWords(const std::string& pdf);
const PdfWord* FindWord(const std::vector<PdfWord>& words, const std::string& text);

// The first top-level dialog ("#32770") of this process with the caption,
// polled for up to timeout ms; null when none came.
HWND WaitForDialog(const char* caption, DWORD timeout);

}  // namespace grusk_test
