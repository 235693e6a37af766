// BITMAP and FREE: IMAGE values holding packed bitmaps, and the memory
// blocks behind them.
#include <cstring>

#include "bmp_file.h"
#include "resource_args.h"
#include "resource_reader.h"
#include "shared_variables.h"
#include "window_builtin_entries.h"
#include "window_interpreter.h"

namespace {

bool EndsName(char c) {
  return c == 0 || std::strchr(" ,()+-*/&|<>=\";\n!.[]", c) != nullptr;
}

bool StartsName(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || u >= 0xC0 || c == '$' ||
         c == '@' || c == '_';
}

bool IsArray(WindowInterpreter& interpreter, const char* name) {
  uint16_t rows, cols;
  if (name[0] != '$') return interpreter.Variables().GetDimensions(name, rows, cols);
  SharedVariablesGuard guard;
  return SharedVariables().GetDimensions(name, rows, cols);
}

}  // namespace

VARIABLE* ReadFreeReference(WindowInterpreter& interpreter, const char*& p) {
  char name[65];
  int n = 0;
  const char* q = p;
  for (; !EndsName(*q); ++q)
    if (n < 64) name[n++] = *q;
  name[n] = 0;
  if (n == 0 || !StartsName(name[0])) return nullptr;
  if (std::strcmp(name, "TRUE") == 0 || std::strcmp(name, "FALSE") == 0) return nullptr;
  if (*q != ')' && !(*q == '(' && IsArray(interpreter, name))) return nullptr;

  uint16_t base = interpreter.Depth();
  const char* r = p;
  if (interpreter.ParseReference(r) || *r != ')') {
    // Not a reference after all: the arguments are read the usual way.
    interpreter.DropTo(base);
    interpreter.SetError(0);
    return nullptr;
  }
  VARIABLE* target = interpreter.PopValue()->target;
  SharedVariablesGuard guard(name[0] == '$');
  if (interpreter.PushValue(*target)) return nullptr;
  p = r;
  return target;
}

bool RunBitmap(WindowBuiltinFrame& f) {
  VARIABLE* name = f.Pop();
  if (!name) return false;
  if (name->type != VAL_STRING && name->type != VAL_LONG) return f.Fail(kWindowErrorArgumentType);
  const char* file;
  if (!f.PopText(file)) return false;
  if (name->type == VAL_STRING) {
    // A bitmap that is not there is an IMAGE without a block.
    HGLOBAL block = ReadResourceByLayout(ResourceLayout(f.Interpreter()), file, kResourceBitmap,
                                         TextOf(*name));
    f.Result().SetImage(block);
    return true;
  }
  unsigned short error = 0;
  HGLOBAL block = LoadBitmapFile(file, &error);
  if (!block) return f.Fail(error ? error : static_cast<uint32_t>(kErrorOutOfMemory));
  f.Result().SetImage(block);
  return true;
}

bool RunFree(WindowBuiltinFrame& f) {
  VARIABLE* value = f.Pop();
  if (!value) return false;
  if (value->type == VAL_LONG) {
    GlobalFree(reinterpret_cast<HGLOBAL>(static_cast<intptr_t>(value->lng)));
  } else if (value->type == VAL_IMAGE) {
    HGLOBAL block = value->image.handle;
    if (block) GlobalFree(block);
    // The variable named lets go of the block, as the statement FREE does,
    // so that nothing frees it a second time.
    SharedVariablesGuard guard;
    VARIABLE* variable = f.reference;
    if (variable && variable->type == VAL_IMAGE && variable->image.handle == block) {
      variable->image.handle = nullptr;
      variable->image.size = 0;
    }
  } else {
    return f.Fail(kWindowErrorArgumentType);
  }
  f.Result().SetBool(1);
  return true;
}
