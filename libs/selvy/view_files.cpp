// Menu 40111 open, 40112 save, 40116 export: Windows' file dialogs with
// the library's titles and filters, then the file read, written or made.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#include "form_export.h"
#include "library_frame.h"
#include "selvy_ids.h"
#include "view_parts.h"

namespace {

const int kFileNameSize = 128;

struct FileDialogTexts {
  char title[128];
  char filter[256];  // '|' turned into NUL, two NULs at the end
  char extension[16];
};

FileDialogTexts LoadTexts(int titleId, int filterId) {
  FileDialogTexts texts{};
  LoadStringA(hInst, titleId, texts.title, sizeof texts.title);
  int length = LoadStringA(hInst, filterId, texts.filter, sizeof texts.filter - 1);
  for (int i = 0; i < length; ++i)
    if (texts.filter[i] == '|') texts.filter[i] = 0;
  // The default extension: the first pattern without its "*.".
  const char* pattern = texts.filter + strlen(texts.filter) + 1;
  if (pattern[0] == '*' && pattern[1] == '.') pattern += 2;
  lstrcpynA(texts.extension, pattern, sizeof texts.extension);
  return texts;
}

// The chosen file's name; "" when the dialog was cancelled.
std::string AskFileName(PageView* view, int titleId, int filterId, bool open) {
  FileDialogTexts texts = LoadTexts(titleId, filterId);
  char name[kFileNameSize + 1] = "";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = view->window;
  dialog.lpstrFilter = texts.filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name;
  dialog.nMaxFile = sizeof name;
  dialog.lpstrTitle = texts.title;
  dialog.lpstrDefExt = texts.extension;
  dialog.Flags = OFN_HIDEREADONLY | (open ? OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST : 0);
  BOOL chosen = open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
  return chosen ? name : "";
}

bool WriteWhole(const std::string& name, const void* bytes, DWORD count) {
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool whole = WriteFile(file, bytes, count, &written, nullptr) && written == count;
  CloseHandle(file);
  return whole;
}

}  // namespace

void OpenPageFile(PageView* view) {
  HWND window = view->window;
  std::string name = AskFileName(view, IDS_OPEN_TITLE, IDS_OPEN_FILTER, true);
  if (name.empty() || ViewOf(window) != view) return;
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  if (LoadPageFile(view, file)) InvalidateRect(window, nullptr, TRUE);
}

void SavePageFile(PageView* view) {
  if (!view->Loaded()) return;
  HWND window = view->window;
  std::string name = AskFileName(view, IDS_SAVE_TITLE, IDS_SAVE_FILTER, false);
  if (name.empty() || ViewOf(window) != view || !view->Loaded()) return;
  WriteWhole(name, view->buffer, view->dataLength);
}

void ExportFormFile(PageView* view) {
  if (!view->Loaded()) return;
  HWND window = view->window;
  std::string name = AskFileName(view, IDS_EXPORT_TITLE, IDS_EXPORT_FILTER, false);
  std::string text;
  if (name.empty() || ViewOf(window) != view || !selvy::ExportFormText(view->buffer, view->dataLength, &text))
    return;
  WriteWhole(name, text.data(), static_cast<DWORD>(text.size()));
}
