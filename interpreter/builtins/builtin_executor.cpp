#include "builtin_executor.h"

#include "builtin_frame.h"

int RunBuiltin(const BuiltinTable& table, ValueStack& stack, uint32_t& error, int entry,
               int count) {
  if (entry < 1 || entry > table.size) return -1;
  const BuiltinSpec& spec = table.specs[entry - 1];
  BuiltinFrame frame(stack, error, count);
  if (count < spec.minArgs || count > spec.maxArgs) {
    frame.Fail(kBuiltinArgCount);
  } else if (count + (spec.assignment ? 1 : 0) > stack.Top()) {
    // The assignment forms have the assigned value below the arguments.
    frame.Fail(kBuiltinStackShort);
  } else {
    bool ran = spec.run(frame);
    // The assignment forms leave nothing on the stack when they worked.
    if (ran && spec.assignment) return 1;
  }
  return frame.Finish();
}

int RunConversion(const BuiltinTable& table, ValueStack& stack, uint32_t& error,
                  unsigned char type, int count) {
  const char* name = VARIABLE::TypeName(type);
  if (!name || type == VAL_NULL) {
    error = kBuiltinBadType;
    return 0;
  }
  if (stack.Top() >= stack.Capacity()) {
    error = kBuiltinTooLong;
    return 0;
  }
  stack.PushString(name);
  return RunBuiltin(table, stack, error, kBuiltinConv, count + 1);
}
