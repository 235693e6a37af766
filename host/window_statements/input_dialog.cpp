// INPUT(title, prompt, default): the program's dialog 104 asks for one line
// of text. OK gives the line with its blanks squeezed, Cancel gives NULL.
#include "blank_helpers.h"
#include "host_globals.h"
#include "host_resources.h"
#include "window_builtin_entries.h"

namespace {

const char kInputProperty[] = "INPUT";
const int kShownText = 64;  // of each text given to the dialog
const int kAnswerText = 63;

struct InputTexts {
  char title[kShownText + 1];
  char prompt[kShownText + 1];
  char value[kShownText + 1];
  char answer[kAnswerText + 1];
};

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      InputTexts* texts = reinterpret_cast<InputTexts*>(lParam);
      SetPropA(dialog, kInputProperty, texts);
      SetWindowTextA(dialog, texts->title);
      SetDlgItemTextA(dialog, kInputPrompt, texts->prompt);
      SetDlgItemTextA(dialog, kInputEdit, texts->value);
      return TRUE;
    }
    case WM_COMMAND: {
      auto texts = static_cast<InputTexts*>(GetPropA(dialog, kInputProperty));
      if (LOWORD(wParam) == IDOK && texts) {
        GetDlgItemTextA(dialog, kInputEdit, texts->answer, sizeof texts->answer);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      RemovePropA(dialog, kInputProperty);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool RunInput(WindowBuiltinFrame& f) {
  InputTexts texts = {};
  char* fields[] = {texts.value, texts.prompt, texts.title};  // popped last first
  for (char* field : fields) {
    VARIABLE* v = f.Pop();
    if (!v) return false;
    v->GetText(field, kShownText + 1, 0);
  }
  INT_PTR answer = DialogBoxParamA(hInst, MAKEINTRESOURCEA(kInputDialog), f.Window(),
                                   InputDialogProc, reinterpret_cast<LPARAM>(&texts));
  if (answer != IDOK) return true;  // NULL
  SqueezeBlanks(texts.answer, sizeof texts.answer);
  return f.SetText(texts.answer);
}
