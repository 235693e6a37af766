// Script dialogs: dialog templates from .RES files shown modally (INPUT)
// or embedded at the top of the script window (DIALOG). A dialog reports
// to its script with WM_COMMAND sent to the script window: the dialog's
// event code and a notice word, kind + control id * 65536.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class Interpreter;
class WindowBuiltinFrame;
class WindowInterpreter;

// Window properties of a script dialog.
extern const char kDialogInterpreterProperty[];  // "BASICDLG": the serving interpreter
extern const char kDialogRecordProperty[];       // "EVENT": its DialogEventRecord

struct DialogEventRecord {
  uint32_t code;     // the dialog's event code, not 0
  int32_t layout;    // RESOURCE when the dialog was made (16 or 32)
  std::string file;  // the resource file
};

// Notice kinds; the names are those PARAM accepts.
enum DialogNotice : int {
  kNoticeLoad = 1, kNoticeSave, kNoticeChange, kNoticeColor, kNoticeCancel, kNoticeUpdate,
  kNoticeUpdated, kNoticeDoubleClick, kNoticeHelp,
};
extern const char kDialogNoticeNames[];  // "LOAD" ... "HELP", a keyword list

// Kinds of controls, by class name (a prefix, without case) and button style.
enum ControlKindValue : int {
  kOtherControl = 0, kComboControl, kListControl, kRadioControl, kCheckControl, kButtonControl,
  kPictureControl,
};
int ControlKind(HWND control);

// What INPUT and DIALOG hand to the dialog procedures at WM_INITDIALOG.
struct DialogStart {
  WindowInterpreter* interpreter;  // ran the statement; evaluates the code
  const char* code;                // the code expression's text
  std::string file;
  int layout;
};

INT_PTR CALLBACK ScriptDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EmbeddedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Owner-drawn items: a list item's text comes from the handler of its code
// (RESULT); a button shows the bitmap its caption names in the dialog's
// resource file, inset by 3 pixels while pressed.
void OwnerDrawListItem(WindowInterpreter& interpreter, HWND dialog, const DRAWITEMSTRUCT* item);
void DrawBitmapButton(HWND dialog, const DRAWITEMSTRUCT* item);
// Owner-drawn combo boxes forward typed characters to the dialog as
// WM_CHARTOITEM; installed once however often PUT fills the control.
void ForwardCharacters(HWND control);

// The dialog the window variable HDLG names: true when HDLG is a LONG (the
// dialog may then be 0); false when it is missing or of another type.
bool DialogOfHdlg(Interpreter& interpreter, HWND& dialog);

// Statements and built-ins (window statements' slots): 0, or 1 with the
// error stored.
int ExecInput(WindowInterpreter& interpreter);
int ExecDialog(WindowInterpreter& interpreter);
int ExecTune(WindowInterpreter& interpreter);
int ExecPut(WindowInterpreter& interpreter);
bool RunGet(WindowBuiltinFrame& frame);
bool RunParam(WindowBuiltinFrame& frame);
