// The process's print settings: the chosen printer, the margins and the
// print font, read from "KORVEX.INI" at the first attach.
#pragma once
#include <windows.h>

#include "grusk.h"
#include "settings_text.h"

// The group PRNGETFONT hands out: size, zero word, 32-character face.
static_assert(sizeof(GruskFont) == 36, "the packed print font group");

// Longest printer, driver or port name kept for the job in use.
constexpr size_t kPrinterNameSize = 256;

struct PrintSettings {
  HGLOBAL devMode;   // DEVMODE of the chosen printer; 0 until one is chosen
  HGLOBAL devNames;  // DEVNAMES of the chosen printer; 0 until one is chosen
  char deviceLine[64];  // [windows] "device" when no printer was chosen
  Margins margins;
  GruskFont font;
  DOCINFOA job;  // the running print job
  // Names of the printer in use, copies made by PRNCREATE (empty before).
  const char* device;
  const char* driver;
  const char* port;
  char names[3][kPrinterNameSize];
};

extern PrintSettings* settings;

// Makes the record and reads it from the INI file; false without memory.
bool CreatePrintSettings();
// Frees both memory blocks and the record.
void FreePrintSettings();
// Writes the margins and, when there is a face, the font to the INI file.
void SavePrintSettings();
