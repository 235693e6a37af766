#include "resource_args.h"

#include "builtin_frame.h"
#include "interpreter.h"
#include "resource_reader.h"
#include "statement_reader.h"

int ResourceLayout(Interpreter& interpreter) {
  VARIABLE* v = interpreter.Variables().Find("RESOURCE");
  return v && v->type == VAL_LONG && v->lng == kResourceLayout16 ? kResourceLayout16
                                                                 : kResourceLayout32;
}

HGLOBAL ReadResourceArgs(Interpreter& interpreter, WORD type, ResourceArgs* args) {
  uint16_t base = interpreter.Depth();
  if (ReadExpressions(interpreter, 2)) return nullptr;
  VARIABLE* file = interpreter.Stack().Item(base);
  VARIABLE* name = interpreter.Stack().Item(static_cast<uint16_t>(base + 1));
  if (file->type != VAL_STRING || name->type != VAL_STRING) {
    interpreter.DropTo(base);
    FailStatement(interpreter, kStatementTypeMismatch);
    return nullptr;
  }
  ResourceArgs read;
  read.file = TextOf(*file);
  read.name = TextOf(*name);
  read.layout = ResourceLayout(interpreter);
  interpreter.DropTo(base);
  HGLOBAL block = ReadResourceByLayout(read.layout, read.file.c_str(), type, read.name.c_str());
  if (!block && !interpreter.HasError()) FailStatement(interpreter, kStatementResource);
  if (args) *args = read;
  return block;
}
