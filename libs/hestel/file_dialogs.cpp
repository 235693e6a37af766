#include "file_dialogs.h"

#include <commdlg.h>

#include <cstring>

#include "text_results.h"

namespace hestel {

void PrepareFilter(const char* filter, DialogFilter* prepared) {
  std::memset(prepared->list, 0, sizeof prepared->list);
  prepared->defaultExtension = nullptr;
  if (!filter) return;
  // Two zero bytes must follow the last pattern.
  std::strncpy(prepared->list, filter, kDialogBuffer - 2);
  char* firstBar = std::strchr(prepared->list, '|');
  if (firstBar) prepared->defaultExtension = firstBar + 1;
  for (char* bar = firstBar; bar; bar = std::strchr(bar + 1, '|')) *bar = '\0';
}

VARIABLE* AskFileName(bool save, HWND owner, HINSTANCE instance, const char* caption,
                      const char* filter) {
  DialogFilter prepared;
  PrepareFilter(filter, &prepared);
  char file[kDialogBuffer] = "";
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hInstance = instance;
  dialog.lpstrFilter = filter ? prepared.list : nullptr;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrTitle = caption;
  dialog.lpstrDefExt = prepared.defaultExtension;
  dialog.Flags = OFN_LONGNAMES | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!save) dialog.Flags |= OFN_FILEMUSTEXIST;
  BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  return chosen ? NewText(file) : nullptr;
}

}  // namespace hestel
