#include "form_base.h"

#include <cstring>

#include "file_object.h"
#include "form_section.h"
#include "wennic.h"

namespace {
// A form file that another process holds locked is read again this often.
const uint16_t kReadTries = 10;
}  // namespace

FormBase::~FormBase() { FreeFormBlock(); }

uint32_t FormBase::PrintTable(ReportPage&, const char*, uint16_t, uint16_t) { return 0; }

long FormBase::CheckField(const char*) { return 0; }

long FormBase::IsColumnHidden(long) { return 0; }

int FormBase::ShowError(uint32_t, const char*) { return 0; }

bool FormBase::LoadFormText(HWND owner, const char* source, long number) {
  uint32_t error = ReadFormText(source, number);
  if (error == 0) return true;
  if (number != 0)
    ERRBOX(owner, static_cast<int>(error), kErrBoxStringArgument, source ? source : "");
  else
    ERRBOX(owner, static_cast<int>(error), 0, nullptr);
  return false;
}

uint32_t FormBase::ReadFormText(const char* source, long number) {
  if (!source) source = "";
  FreeFormBlock();
  firstLine_ = 1;
  if (number != 0) return ReadFormFile(source, static_cast<unsigned long>(number));
  size_t length = FormTextLength(source);
  if (length == 0) return kFormBadFile;
  char* text = NewFormBlock(length + 1);
  if (!text) return kFormNoMemory;
  std::memcpy(text, source, length);
  GlobalUnlock(formBlock_);
  return 0;
}

uint32_t FormBase::ReadFormFile(const char* fileName, unsigned long number) {
  FileObject file;
  if (!file.Open(fileName, kFileRead | kFileDenyWrite)) return file.GetError();
  uint32_t size = file.Size();
  if (file.GetError()) return file.GetError();
  if (size == UINT32_MAX) return kFormNoMemory;  // no room for the NUL after it
  char* text = NewFormBlock(size + 1);
  if (!text) return kFormNoMemory;
  uint32_t read = file.Read(text, size, kReadTries);
  uint32_t error = read < size ? file.GetError() : 0;
  file.Close();
  FormSection section = {error, 0, 0, 1};
  if (!error) section = FindFormSection(text, number);
  if (section.error) {
    GlobalUnlock(formBlock_);
    FreeFormBlock();
    return section.error;
  }
  std::memmove(text, text + section.start, section.length + 1);
  GlobalUnlock(formBlock_);
  if (HGLOBAL shrunk = GlobalReAlloc(formBlock_, section.length + 1, GMEM_MOVEABLE))
    formBlock_ = shrunk;
  firstLine_ = section.firstLine;
  return 0;
}

FormCompileResult FormBase::CompileForm(HWND owner) {
  char* text = formBlock_ ? static_cast<char*>(GlobalLock(formBlock_)) : nullptr;
  if (!text) {
    ERRBOX(owner, kFormNoMemory, 0, nullptr);
    return FormCompileResult{false, kFormNoMemory, firstLine_, 0};
  }
  FormCompiler compiler(text, firstLine_, parts_);
  FormCompileResult result = compiler.Run();
  if (result.compiled) {
    const std::string& code = compiler.Code();
    GlobalUnlock(formBlock_);
    if (HGLOBAL block = GlobalReAlloc(formBlock_, code.size(), GMEM_MOVEABLE)) {
      formBlock_ = block;
      std::memcpy(GlobalLock(block), code.data(), code.size());
      GlobalUnlock(block);
      return result;
    }
    result = FormCompileResult{false, kFormNoMemory, firstLine_, 0};
    text = static_cast<char*>(GlobalLock(formBlock_));
  }
  // A text that ended without END (number 0) reads as its unexpected end.
  if (!ShowError(result.error, text + result.offset))
    ERRBOX(owner, static_cast<int>(result.error ? result.error : kFormUnexpectedEnd), 0, nullptr);
  GlobalUnlock(formBlock_);
  return result;
}

bool FormBase::PushObject(HGDIOBJ object) {
  if (gdiCount_ >= kGdiStackSize) return false;
  HGDIOBJ replaced = SelectObject(dc_, object);
  if (!replaced || replaced == HGDI_ERROR) return false;
  gdiStack_[gdiCount_++] = replaced;
  return true;
}

HGDIOBJ FormBase::PopObject() {
  if (gdiCount_ == 0) return nullptr;
  return SelectObject(dc_, gdiStack_[--gdiCount_]);
}

char* FormBase::NewFormBlock(size_t size) {
  FreeFormBlock();
  formBlock_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  char* text = formBlock_ ? static_cast<char*>(GlobalLock(formBlock_)) : nullptr;
  if (!text) FreeFormBlock();
  return text;
}

void FormBase::FreeFormBlock() {
  if (formBlock_) GlobalFree(formBlock_);
  formBlock_ = nullptr;
}
