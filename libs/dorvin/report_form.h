// ReportForm: one form of a script. Its operands come from the script
// window that owns it (WM_COMMAND 1012 for a variable, 1013 for an array
// element, answered with the host's record, which is copied and never kept)
// and from the fields of up to 8 record sets ("A!NAME" the first added,
// "B!NAME" the second, ...). A name that is not found is shown in a message
// box and stands for itself as text, so the form prints it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "form_base.h"
#include "record_set_object.h"
#include "report_page.h"

class ReportForm : public FormBase {
 public:
  static const int kMaxRecordSets = 8;

  explicit ReportForm(HWND owner) : owner_(owner) {}

  HWND Owner() const { return owner_; }
  // Appends the record set while fewer than 8 are held; a null one is
  // refused too.
  BOOL AddRecordSet(RecordSetObject* set);
  int RecordSetCount() const { return setCount_; }
  RecordSetObject* RecordSetAt(int index) const { return sets_[index]; }

  int EvaluateOperand(const char*& position) override { return ResolveOperand(position); }
  long CheckField(const char* name) override;
  long IsColumnHidden(long field) override;
  // Dialog 101 "Ошибка" on the owner: the message's text and the form text
  // from the position; 1, or 0 when the dialog cannot be made.
  int ShowError(uint32_t number, const char* position) override;
  // Runs the compiled form once on the page (form_renderer.cpp). index < 0
  // measures only and gives the form's height; 0 is the form as a whole
  // document (a page file gets its 'E'); k >= 1 is the k-th form slot of
  // the page. 0 when there is no code, no device context, or the code does
  // not begin with a font; else the vertical offset used.
  uint16_t RenderForm(ReportPage& page, int16_t index);
  // True once Cancel was chosen in an error box of a run: the report ends.
  bool ReportCancelled() const { return cancelled_; }

  // The report drivers (report_drivers.cpp). Errors are shown with ERRBOX
  // on the owner.
  BOOL PrintFormOnPrinter(const char* title);
  HANDLE PrintFormToFile(const char* title);
  BOOL PrintTableOnPrinter(const char* title, uint16_t event);
  HANDLE PrintTableToFile(const char* title, uint16_t event);

 protected:
  // One operand at the position onto the value stack: a literal, a
  // built-in call, an array element, a field or a variable.
  int ResolveOperand(const char*& position);

 private:
  int PushElement(const char* name, const char*& position);
  int PushField(const char* name);
  int PushVariable(const char* name);
  // The owner's record as a copy; when there is none, the box and the text.
  int PushAnswer(LRESULT answer, const char* text, const char* caption);

  // RenderForm's pieces.
  void RunBox(ReportPage& page, const unsigned char* code, int offset, RECT& frame);
  // The text with its [expressions] evaluated into out (512 bytes); the
  // first failing expression's number, or 0.
  uint32_t ExpandText(const char* text, char* out);
  void AddColumn(ReportPage& page, const unsigned char* code);
  uint32_t RunTable(ReportPage& page, const unsigned char* headings, size_t used,
                    HFONT& pending, HFONT base, uint16_t above, uint16_t below);
  // The rows of a form per record (both per-record drivers): form slots
  // per page, or 0 with message 109.
  uint32_t RowsPerPage(ReportPage& page, uint16_t& rows);

  HWND owner_;
  RecordSetObject* sets_[kMaxRecordSets] = {};
  uint16_t setCount_ = 0;
  bool cancelled_ = false;
};

// The name a Praxel record set keeps right after its table of operations
// (its table name), "" when it has none.
const char* RecordSetName(RecordSetObject* set);
