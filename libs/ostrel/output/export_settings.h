// The export settings of the process: one block, made at the library's
// first attach and freed at its last detach, shared by all tables, and the
// dialog "EXPTUNE" that edits it.
#pragma once
#include <windows.h>

#include <cstdint>

// Destinations in the low bits of the destination byte, with the flags.
enum : uint8_t {
  kExportClipboard = 1,
  kExportMail = 2,
  kExportFile = 3,
  kExportWhereMask = 0x3,
  kExportOem = 0x4,
  kExportHeader = 0x10,
};

const int kExportFileNameMax = 127;

struct ExportSettings {
  uint8_t destination = kExportClipboard | kExportHeader;
  char separator = '\t';  // tab, '|' or ';'
  HANDLE output = nullptr;  // the file or global block of the export in progress
  char fileName[kExportFileNameMax + 1] = {};  // kept for the next export
};

// The block; null before CreateExportSettings or after FreeExportSettings.
ExportSettings* TheExportSettings();
bool CreateExportSettings();
void FreeExportSettings();

// Runs "EXPTUNE" modally over `owner`, from the module holding the table
// code: 1 when "Выполнить" stored the choice into *settings, 0 for "Назад".
INT_PTR RunExportDialog(HWND owner, ExportSettings* settings);
