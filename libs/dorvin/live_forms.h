// The forms this library made and has not closed. A script's handle is the
// form's address, but a script can pass any number (a form it closed, a
// typo), so every export looks its handle up here first and treats an
// unknown one like 0.
#pragma once

class ReportForm;

// Records a new form; false when it cannot be recorded.
bool RememberForm(ReportForm* form);
// The form when the handle names a live one, else null.
ReportForm* LiveForm(ReportForm* handle);
// Forgets the form and returns it for deletion (null when unknown).
ReportForm* ForgetForm(ReportForm* handle);
