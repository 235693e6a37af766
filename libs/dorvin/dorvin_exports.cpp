// DORVIN: forms of scripts. A form's handle is the address of its
// ReportForm; a handle of 0, or one that names no live form, makes every
// export do nothing and give 0 or FALSE.
#include <new>

#include "form_messages.h"
#include "grusk.h"
#include "library_frame.h"
#include "live_forms.h"
#include "print_options.h"
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

// The printer setup dialog, then the form once on the printer.
KORVEX_EXPORT BOOL WINAPI DORVIN_Print(ReportForm* handle, const char* title) {
  ReportForm* form = LiveForm(handle);
  if (!form || !SELPRINTER(form->Owner())) return FALSE;
  return form->PrintFormOnPrinter(title);
}

// Prints as the option words say: TRUE or FALSE on the printer, the page
// file's handle (0 on failure) with FILE. Any other word gives 0 at once.
KORVEX_EXPORT LONG WINAPI DORVIN_Type(ReportForm* handle, const char* title, const char* text) {
  ReportForm* form = LiveForm(handle);
  PrintOptions options;
  if (!form || !ParsePrintOptions(text, options)) return 0;
  if (options.byDefault)
    SELPRINTER(nullptr);
  else if (!SELPRINTER(form->Owner()))
    return 0;
  uint16_t event = options.event;
  if (options.file && options.table)
    return reinterpret_cast<LONG>(form->PrintTableToFile(title, event));
  if (options.file) return reinterpret_cast<LONG>(form->PrintFormToFile(title));
  if (options.table) return form->PrintTableOnPrinter(title, event);
  return form->PrintFormOnPrinter(title);
}
