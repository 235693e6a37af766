// The open and save dialogs. The script's filter is a text such as
// "Texts|*.txt|All|*.*|": every "|" becomes a zero byte, giving the dialog's
// list of descriptions and patterns.
#pragma once
#include <windows.h>

#include "variable.h"

namespace hestel {

// The filter and the file name each live in a buffer of this size.
const int kDialogBuffer = 128;

struct DialogFilter {
  char list[kDialogBuffer];
  // The pattern after the first "|" (the first description's), as the
  // default extension; null without a filter.
  const char* defaultExtension;
};

// Copies at most 126 characters of the filter and ends the list with two
// zero bytes whatever the text ends with. A null filter gives no list.
void PrepareFilter(const char* filter, DialogFilter* prepared);

// Shows the dialog (a null caption keeps the dialog's own title); the full
// path chosen as a STRING, or null when cancelled or failed.
VARIABLE* AskFileName(bool save, HWND owner, HINSTANCE instance, const char* caption,
                      const char* filter);

}  // namespace hestel
