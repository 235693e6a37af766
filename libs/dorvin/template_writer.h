// Text templates: a template file copied into a new text file for DOS
// programs (OEM code page), each "[expression]" replaced by its value as the
// form's evaluator computes it from the form's record sets and its owner's
// variables. "]\N" (decimal N > 0) wraps the value at blanks into lines of
// fewer than N characters. The template ends at its end, at a NUL or at a
// byte 0x1A.
#pragma once
#include <windows.h>

class ReportForm;

// Writes the template src into dst. The template is read whole before dst
// is made, so dst may even be src. A failure is shown with ERRBOX on the
// owner (file errors with the file's name) and gives FALSE; an expression
// that fails writes its own text and ends the output there.
BOOL WriteTemplate(ReportForm& form, HWND owner, const char* dst, const char* src);
