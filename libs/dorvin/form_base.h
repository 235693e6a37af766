// The form's drawing and code state between the evaluator and ReportForm:
// the stack of GDI objects selected into the device context, the form block
// (first the form text, then its compiled form), the parts of the form, and
// the metrics the renderer measures. Loading and compiling the form happen
// here; the virtual operations after the evaluator's are the report's, and
// do nothing at this level.
#pragma once
#include <windows.h>

#include <cstdint>

#include "compiled_form.h"
#include "form_compiler.h"
#include "form_evaluator.h"

struct ReportPage;

class FormBase : public FormEvaluator {
 public:
  static const int kGdiStackSize = 8;

  FormBase() = default;
  ~FormBase() override;

  // The table of the current part printed on the page with the page's
  // columns and the joined headings, room kept above it on its first page
  // and below it on its last (device units); a message number.
  virtual uint32_t PrintTable(ReportPage& page, const char* headings, uint16_t above,
                              uint16_t below);
  // The field number of a name in the first record set, 0 when unknown.
  virtual long CheckField(const char* name);
  // Non-zero when the field's column must not print.
  virtual long IsColumnHidden(long field);
  // Shows a compile error with the text from where compiling stopped; 1
  // when shown, 0 when declined (then the number goes to ERRBOX).
  virtual int ShowError(uint32_t number, const char* position);

  // The form text into the form block: source is the text itself for
  // number 0, else the file whose section "FORM <number>" is the form.
  // Failures are shown with ERRBOX on the owner (a file's with its name).
  bool LoadFormText(HWND owner, const char* source, long number);
  // As LoadFormText, showing nothing: 0 or the message number.
  uint32_t ReadFormText(const char* source, long number);
  // Compiles the loaded text in the block into the compiled form. A failure
  // goes to ShowError (or ERRBOX); the result says where it stopped.
  FormCompileResult CompileForm(HWND owner);

  // Selects the object into the device context, keeping the one it
  // replaces; false (nothing selected) when 8 are held or it fails.
  bool PushObject(HGDIOBJ object);
  // Selects back the object the last push replaced and returns the one it
  // had selected (for the caller to delete); null when none is held.
  HGDIOBJ PopObject();
  uint16_t ObjectCount() const { return gdiCount_; }

  HGLOBAL FormBlock() const { return formBlock_; }
  const FormParts& Parts() const { return parts_; }
  HDC DeviceContext() const { return dc_; }
  void SetDeviceContext(HDC dc) { dc_ = dc; }

 protected:
  HGDIOBJ gdiStack_[kGdiStackSize] = {};
  uint16_t gdiCount_ = 0;
  FormParts parts_;
  // A quarter of the base font's average character width and line height.
  uint16_t quarterCharWidth_ = 0;
  uint16_t quarterLineHeight_ = 0;
  float pixelsPerMmAcross_ = 0;
  float pixelsPerMmDown_ = 0;
  HGLOBAL formBlock_ = nullptr;
  HDC dc_ = nullptr;
  // The file line where the form text begins, for the compiler's results.
  uint32_t firstLine_ = 1;

 private:
  uint32_t ReadFormFile(const char* fileName, unsigned long number);
  // A new zero-filled block of size bytes replaces the form block.
  char* NewFormBlock(size_t size);
  void FreeFormBlock();
};
