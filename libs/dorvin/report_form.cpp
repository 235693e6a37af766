#include "report_form.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "form_error_dialog.h"
#include "form_messages.h"
#include "library_frame.h"
#include "variable.h"

namespace {

// Requests to the owner script window.
const WPARAM kRequestVariable = 1012;
const WPARAM kRequestElement = 1013;

const int kOperandName = 64;
// "%s(%d,%d)": a whole name and two indexes of any size.
const int kElementText = kOperandName + 2 * 11 + 3 + 1;
// FieldOption code that tests the column's PRINT flag.
const unsigned long kOptionPrintFlag = 23;

const char kArrayMissing[] = "ОШИБКА.Массив не найден";
const char kFieldMissing[] = "ОШИБКА.Поле не найдено";
const char kVariableMissing[] = "ОШИБКА.Переменная не найдена";
const char kCheckFieldText[] = "Поле %s в %s не найдено";
const char kCheckFieldCaption[] = "ОШИБКА";
const UINT kMissingBox = MB_SETFOREGROUND | MB_ICONERROR;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EndsName(char c) {
  return c == 0 || c == ' ' || c == '\n' || c == ';' || std::strchr("()+-*/<>=,", c) != nullptr;
}

}  // namespace

const char* RecordSetName(RecordSetObject* set) {
  // Praxel's record set: the table of operations, then its name.
  const char* name = *reinterpret_cast<const char* const*>(reinterpret_cast<const char*>(set) +
                                                          sizeof(void*));
  return name ? name : "";
}

BOOL ReportForm::AddRecordSet(RecordSetObject* set) {
  if (!set || setCount_ >= kMaxRecordSets) return FALSE;
  sets_[setCount_++] = set;
  return TRUE;
}

int ReportForm::ResolveOperand(const char*& p) {
  char c = *p;
  if (c == '"' || c == '&' || c == '-' || IsDigit(c)) return ParseLiteral(p);

  char name[kOperandName + 1];
  int n = 0;
  for (; !EndsName(*p); ++p)
    if (n < kOperandName) name[n++] = *p;
  name[n] = 0;
  if (n == 0) return 0;  // empty operand: nothing pushed

  if (*p == '(') {
    ++p;
    const char* arguments = p;
    int ran = CallBuiltin(name, p);
    if (ran == 0) return 1;
    if (ran > 0) {
      if (*p != ')') return Fail(kEvalErrorSyntax);
      ++p;
      return 0;
    }
    p = arguments;
    return PushElement(name, p);
  }
  if (name[1] == '!') return PushField(name);
  return PushVariable(name);
}

int ReportForm::PushElement(const char* name, const char*& p) {
  int32_t row, col;
  if (ParseIndices(p, row, col)) return 1;
  char text[kElementText];
  std::snprintf(text, sizeof text, "%s(%d,%d)", name, static_cast<int>(row), static_cast<int>(col));
  LRESULT answer = SendMessageA(owner_, WM_COMMAND, kRequestElement, reinterpret_cast<LPARAM>(text));
  return PushAnswer(answer, text, kArrayMissing);
}

int ReportForm::PushVariable(const char* name) {
  LRESULT answer = SendMessageA(owner_, WM_COMMAND, kRequestVariable, reinterpret_cast<LPARAM>(name));
  return PushAnswer(answer, name, kVariableMissing);
}

int ReportForm::PushAnswer(LRESULT answer, const char* text, const char* caption) {
  if (answer) return PushValue(*reinterpret_cast<const VARIABLE*>(answer));
  MessageBoxA(owner_, text, caption, kMissingBox);
  return PushText(text, std::strlen(text));
}

int ReportForm::PushField(const char* name) {
  unsigned index = static_cast<unsigned char>(name[0]) - 'A';
  if (index >= setCount_) return Fail(kFormNoTable);
  RecordSetObject* set = sets_[index];
  const char* field = name + 2;
  long column = set->FieldIndex(field);
  if (column == 0) {
    MessageBoxA(owner_, field, kFieldMissing, kMissingBox);
    return PushText(field, std::strlen(field));
  }
  long long width = set->FieldWidth(static_cast<unsigned long>(column), TRUE);
  unsigned long long size = static_cast<unsigned long long>(width < 0 ? -width : width) + 1;
  char* buffer = size <= LONG_MAX ? static_cast<char*>(std::calloc(static_cast<size_t>(size), 1))
                                  : nullptr;
  if (!buffer) return Fail(kFormNoMemory);
  set->GetFieldText(static_cast<unsigned long>(column), buffer, static_cast<long>(size));
  buffer[size - 1] = 0;
  int failed = PushText(buffer, std::strlen(buffer));
  std::free(buffer);
  return failed;
}

long ReportForm::CheckField(const char* name) {
  RecordSetObject* set = setCount_ ? sets_[0] : nullptr;
  long field = set ? set->FieldIndex(name) : 0;
  if (field) return field;
  const char* table = set ? RecordSetName(set) : "";
  std::string text(sizeof kCheckFieldText + std::strlen(name) + std::strlen(table), '\0');
  std::snprintf(&text[0], text.size(), kCheckFieldText, name, table);
  MessageBoxA(owner_, text.c_str(), kCheckFieldCaption, kMissingBox);
  return 0;
}

long ReportForm::IsColumnHidden(long field) {
  if (field == 0 || setCount_ == 0) return 0;
  return sets_[0]->FieldOption(static_cast<unsigned long>(field), kOptionPrintFlag);
}

int ReportForm::ShowError(uint32_t number, const char* position) {
  return ShowFormErrorDialog(hInst, owner_, number, position) ? 1 : 0;
}
