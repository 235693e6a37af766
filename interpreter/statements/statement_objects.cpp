// SET var = source and ERASE item, ...: the statements that make and drop
// object values (DISPATCH from the automation bridge, OBJECT from the
// extension-library binder) and remove arrays. The binder plugs in through
// the hooks at the end of this file, the bridge through interpreter_dispatch.cpp.
#include <cstring>

#include "interpreter.h"
#include "shared_variables.h"
#include "statement_text.h"

using statement_text::ReadName;
using statement_text::SameTextNoCase;
using statement_text::SkipBlanks;

namespace {

const int kNameText = 64;
// ERASE keeps 31 characters of an item.
const int kEraseItem = 32;
const uint32_t kErrorVariableType = 146;

bool EndsSetTarget(char c) { return c == '='; }
bool EndsSource(char c) { return c == '(' || c == '.' || c == '!' || c == ' '; }
bool EndsMember(char c) { return c == '(' || c == ' '; }
bool EndsEraseItem(char c) { return c == ',' || c == ' '; }

// An OBJECT or NULL value made NULL with a zero payload (an OBJECT's module
// name is not owned).
void MakeNull(VARIABLE& v) {
  v.Clear();
  v.TYPE(VAL_NULL);
}

}  // namespace

int Interpreter::ExecSet() {
  const char*& p = position_;
  char name[kNameText + 1];
  ReadName(p, name, sizeof name, EndsSetTarget);
  if (*p != '=') return Fail(kEvalErrorSyntax);
  if (!name[0]) return Fail(kEvalErrorSyntax);
  p = SkipBlanks(p + 1);

  uint32_t error = 0;
  VARIABLE* target = variables_->FindOrCreate(name, error);
  if (!target) return Fail(error);

  // The source is read before the target is emptied, so SET N = N.Next
  // walks a chain; the target ends empty when the source fails.
  VARIABLE made;
  uint16_t base = Depth();
  int failed = SetFromSource(made);
  DropTo(base);
  if (target->type == VAL_DISPATCH)
    ReleaseDispatchValue(*target);
  else
    MakeNull(*target);
  if (!failed) ValueStack::SwapPayloads(*target, made);
  return failed;
}

int Interpreter::SetFromSource(VARIABLE& target) {
  const char*& p = position_;
  const char* source = p;
  char name[kNameText + 1];
  ReadName(p, name, sizeof name, EndsSource);

  if (*p == '(') {
    // CreateObject(progid)
    if (!SameTextNoCase(name, "CreateObject")) return Fail(kEvalErrorSyntax);
    ++p;
    if (EvaluateRequired(p)) return 1;
    p = SkipBlanks(p);
    if (CloseCall(p)) return 1;
    VARIABLE* id = PopValue();
    if (id->type != VAL_STRING) return Fail(kErrorVariableType);
    if (!id->text || !id->text[0]) return Fail(kEvalErrorSyntax);
    uint32_t e = SetFromCreateObject(target, id->text);
    return e ? Fail(e) : 0;
  }
  if (*p != '.' && *p != '!') return Fail(kEvalErrorSyntax);

  // MODULE!member(...) is always a library; with '.' the name is a module
  // only when no variable of that name exists.
  VARIABLE* object = *p == '.' ? variables_->Find(name) : nullptr;
  if (object && object->type == VAL_DISPATCH) {
    p = source;
    uint32_t e = SetFromMember(target, p);
    return e ? Fail(e) : 0;
  }
  if (object && object->type != VAL_OBJECT) return Fail(kEvalErrorSyntax);

  ++p;
  char member[kNameText + 1];
  ReadName(p, member, sizeof member, EndsMember);
  if (!member[0] || *p != '(') return Fail(kEvalErrorSyntax);
  ++p;
  uint32_t e = SetFromLibrary(target, object ? nullptr : name, object, member, p);
  return e ? Fail(e) : 0;
}

int Interpreter::ExecErase() {
  const char*& p = position_;
  for (;;) {
    char item[kEraseItem];
    ReadName(p, item, sizeof item, EndsEraseItem);
    char* dot = std::strchr(item, '.');
    if (dot) {
      // obj.member: only an OBJECT does anything.
      *dot = 0;
      VARIABLE* v = variables_->Find(item);
      if (v && v->type == VAL_OBJECT) {
        if (uint32_t e = v->object.handle ? EraseObject(*v, dot + 1) : 0) return Fail(e);
        MakeNull(*v);
      }
    } else {
      VARIABLE* v = variables_->Find(item);
      if (v && v->type == VAL_OBJECT) {
        if (uint32_t e = v->object.handle ? EraseObject(*v, nullptr) : 0) return Fail(e);
        MakeNull(*v);
      } else if (v && v->type == VAL_DISPATCH) {
        ReleaseDispatchValue(*v);
      } else {
        bool shared = item[0] == '$';
        SharedVariablesGuard guard(shared);
        uint32_t error = 0;
        if (!(shared ? SharedVariables() : *variables_).Remove(item, error)) return Fail(error);
      }
    }
    p = SkipBlanks(p);
    if (IsStatementEnd(*p)) return 0;
    if (*p != ',') return Fail(kEvalErrorSyntax);
    ++p;
  }
}

