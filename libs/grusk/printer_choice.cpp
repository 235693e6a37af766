// SELPRINTER and PRNCREATE: the printer every later job of the process
// prints on, and its DC.
#include <windows.h>
#include <commdlg.h>

#include "library_frame.h"
#include "print_settings.h"
#include "printer_names.h"

namespace {

static_assert(sizeof(PRINTDLGA) == 66, "the 32-bit PRINTDLG");

PrinterNames NamesOfSettings() {
  return PrinterNames{settings->names[0], settings->names[1], settings->names[2], kPrinterNameSize};
}

// The names of the chosen printer, or of the WIN.INI device line when none
// was chosen, copied into the settings; false when one is missing.
bool TakePrinterNames() {
  PrinterNames names = NamesOfSettings();
  if (settings->devNames) {
    const DEVNAMES* block = static_cast<const DEVNAMES*>(GlobalLock(settings->devNames));
    bool named = block && NamesFromDevNames(block, GlobalSize(settings->devNames), names);
    if (block) GlobalUnlock(settings->devNames);
    return named && names.device[0];
  }
  GetProfileStringA("windows", "device", "", settings->deviceLine, sizeof settings->deviceLine);
  return NamesFromDeviceLine(settings->deviceLine, names);
}

}  // namespace

GRUSK_API BOOL WINAPI SELPRINTER(HWND owner) {
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hInstance = hInst;
  if (owner) {
    // The setup dialog starts from the current choice and hands back its
    // blocks updated in place or replaced: either way they are the ones kept.
    dialog.hwndOwner = owner;
    dialog.hDevMode = settings->devMode;
    dialog.hDevNames = settings->devNames;
    dialog.Flags = PD_PRINTSETUP;
  } else {
    dialog.Flags = PD_RETURNDEFAULT;
  }
  if (!PrintDlgA(&dialog)) return FALSE;
  if (!owner) {
    // New blocks for the default printer: the old choice is not needed.
    if (settings->devMode) GlobalFree(settings->devMode);
    if (settings->devNames) GlobalFree(settings->devNames);
  }
  settings->devMode = dialog.hDevMode;
  settings->devNames = dialog.hDevNames;
  return TRUE;
}

GRUSK_API HDC WINAPI PRNCREATE() {
  if (!TakePrinterNames()) return nullptr;
  const DEVMODEA* mode = settings->devMode ? static_cast<const DEVMODEA*>(GlobalLock(settings->devMode)) : nullptr;
  HDC dc = CreateDCA(settings->driver, settings->device, nullptr, mode);
  if (mode) GlobalUnlock(settings->devMode);
  return dc;
}
