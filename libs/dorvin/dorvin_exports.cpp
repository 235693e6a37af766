// DORVIN: forms of scripts. A form's handle is the address of its
// ReportForm; a handle of 0, or one that names no live form, makes every
// export do nothing and give 0 or FALSE.
#include <new>

#include "form_messages.h"
#include "library_frame.h"
#include "live_forms.h"
#include "report_form.h"
#include "template_writer.h"
#include "wennic.h"

KORVEX_EXPORT ReportForm* WINAPI DORVIN_Form(HWND owner, const char* fileName, long number) {
  ReportForm* form = new (std::nothrow) ReportForm(owner);
  if (!form) {
    ERRBOX(owner, kFormNoMemory, 0, nullptr);
    return nullptr;
  }
  // Loading and compiling show their own messages.
  if (!form->LoadFormText(owner, fileName, number) || !form->CompileForm(owner).compiled ||
      !RememberForm(form)) {
    delete form;
    return nullptr;
  }
  return form;
}

// The record sets stay the script's.
KORVEX_EXPORT void WINAPI DORVIN_Close(ReportForm* handle) { delete ForgetForm(handle); }

KORVEX_EXPORT BOOL WINAPI DORVIN_RsAdd(ReportForm* handle, RecordSetObject* set) {
  ReportForm* form = LiveForm(handle);
  return form ? form->AddRecordSet(set) : FALSE;
}

KORVEX_EXPORT BOOL WINAPI DORVIN_Write(ReportForm* handle, const char* dst, const char* src) {
  ReportForm* form = LiveForm(handle);
  return form ? WriteTemplate(*form, form->Owner(), dst, src) : FALSE;
}
