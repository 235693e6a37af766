// The interpreter's side of extension calls: DEF, MODULE!EXPORT(args),
// obj.member(args), and the library hooks of SET and ERASE.
#include <cstring>

#include "interpreter.h"
#include "library_binder.h"
#include "library_values.h"
#include "call_export.h"
#include "text_watch.h"
#include "statement_text.h"

namespace {

// DEF reads a name of up to 15 characters; the record holds 11, and the
// longer names are refused when the module is loaded.
const int kDefName = 64;

bool NeverStops(char) { return false; }

bool HasBang(const char* p) {
  for (; !IsStatementEnd(*p); ++p)
    if (*p == '!') return true;
  return false;
}

}  // namespace

int Interpreter::ExecDef() {
  uint32_t error = 0;
  if (HasBang(position_)) return ParseDeclaration(position_, error) ? 0 : Fail(error);
  char name[kDefName];
  int n = statement_text::ReadName(position_, name, sizeof name, NeverStops);
  while (n > 0 && name[n - 1] == ' ') name[--n] = 0;
  if (n == 0) return Fail(kEvalErrorSyntax);
  return LoadExtensionModule(name, error) ? 0 : Fail(error);
}

int Interpreter::CallExtension(const char* path, int count) {
  if (count < 0 || count > Depth()) return Fail(kEvalErrorUnexpectedEnd);
  uint16_t base = static_cast<uint16_t>(Depth() - count);
  BoundFunction f;
  uint32_t error = 0;
  if (!FindExtensionFunction(path, f, error)) {
    DropTo(base);
    return Fail(error);
  }
  if (count != f.argCount) {
    DropTo(base);
    return Fail(kBindErrorArgumentCount);
  }

  // From the last parameter to the first, so words[0] is the last argument.
  // A NULL parameter ends the conversion: only the later ones are passed.
  uint32_t words[kMaxParameters];
  uint32_t n = 0;
  for (int i = count - 1; i >= 0 && f.argTypes[i] != VAL_NULL; --i) {
    error = ArgumentWord(f.argTypes[i], *stack_.Item(static_cast<uint16_t>(base + i)), words[n]);
    if (error) {
      DropTo(base);
      return Fail(error);
    }
    ++n;
  }
  // Every argument is popped; the records stay in place (VARIABLE
  // parameters point at them) until the result is pushed.
  DropTo(base);
  ForgetTextLengths();  // the export may write into a text it was given the address of
  uint32_t word = CallExport(reinterpret_cast<const void*>(f.address), words, n);

  switch (f.resultType) {
    case VAL_STRING: {
      const char* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(word));
      return text ? PushText(text, std::strlen(text)) : PushText("", 0);
    }
    case VAL_POINTER:
    case VAL_VARIABLE: {
      VARIABLE* record = reinterpret_cast<VARIABLE*>(static_cast<uintptr_t>(word));
      if (!record) return PushValue(VARIABLE());
      int failed = PushValue(*record);
      // A VARIABLE record is the library's: its RELEASE frees it.
      FARPROC release = f.resultType == VAL_VARIABLE ? GetProcAddress(f.module, "RELEASE") : nullptr;
      if (release) CallExport(reinterpret_cast<const void*>(release), &word, 1);
      return failed;
    }
    default: {
      VARIABLE result;
      ResultValue(f.resultType, word, result);
      return PushValue(result);
    }
  }
}

int Interpreter::CallObjectMember(const VARIABLE& object, const char* member, std::string& path) {
  if (!object.object.handle || !object.object.module) return Fail(kBindErrorNoObject);
  path = std::string(object.object.module) + "!" + object.object.module + "_" + member;
  return 0;
}

int Interpreter::LibraryCallOperand(const char* path, const VARIABLE* object, const char*& p) {
  uint16_t base = Depth();
  int extra = 0;
  if (object) {
    if (PushLong(static_cast<int32_t>(object->object.handle))) return 1;
    extra = 1;
  }
  int count = ParseArguments(p);
  if (count < 0 || CallExtension(path, count + extra) || CloseCall(p)) {
    DropTo(base);
    return 1;
  }
  return 0;
}

int Interpreter::ObjectMemberOperand(const VARIABLE& object, const char* member, const char*& p) {
  VARIABLE held(object);  // the argument list may change the variable
  std::string path;
  if (CallObjectMember(held, member, path)) return 1;
  if (*p != '(') return Fail(kEvalErrorSyntax);
  ++p;
  return LibraryCallOperand(path.c_str(), &held, p);
}

int Interpreter::SetFromLibrary(VARIABLE& target, const char* module, const VARIABLE* object,
                                const char* member, const char*& p) {
  uint16_t base = Depth();
  const char* moduleName;
  uint32_t handle = 0;
  if (object) {
    // other.member(args): other's handle first, also for "()".
    std::string path;
    if (CallObjectMember(*object, member, path)) return error_;
    VARIABLE other(*object);  // the argument list may change the variable
    moduleName = other.object.module;
    if (LibraryCallOperand(path.c_str(), &other, p)) return error_;
  } else {
    uint32_t error = 0;
    ExtensionModule* loaded = LoadExtensionModule(module, error);
    if (!loaded) return error;
    moduleName = loaded->name;
    if (*statement_text::SkipBlanks(p) == ')') {
      // MODULE.member(): the export itself, whether declared or not.
      p = statement_text::SkipBlanks(p) + 1;
      if (!CallModuleExport(moduleName, member, handle)) return kBindErrorFunction;
      if (PushLong(static_cast<int32_t>(handle))) return error_;
    } else {
      std::string path = std::string(moduleName) + "!" + moduleName + "_" + member;
      if (LibraryCallOperand(path.c_str(), nullptr, p)) return error_;
    }
  }
  VARIABLE* result = PopValue();
  handle = result && result->type == VAL_LONG ? static_cast<uint32_t>(result->lng) : 0;
  DropTo(base);
  target.TYPE(VAL_OBJECT);
  target.object.handle = handle;
  target.object.module = moduleName;
  return 0;
}

int Interpreter::EraseObject(const VARIABLE& object, const char* member) {
  if (!object.object.module) return 0;
  return static_cast<int>(RemoveModuleObject(object.object.module, object.object.handle, member));
}
