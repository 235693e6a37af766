#include "form_evaluator.h"

#include "builtin_executor.h"
#include "keyword_list.h"
#include "operator_lock.h"

int FormEvaluator::CallBuiltin(const char* name, const char*& position) {
  const BuiltinTable& table = FormBuiltins();
  int n = KeywordIndex(table.names, name);
  if (n >= 1 && n <= table.size && table.specs[n - 1].assignment) {
    Fail(kEvalErrorSyntax);
    return 0;
  }
  BuiltinName builtin = FindBuiltin(table, name);
  if (builtin.entry == 0 && builtin.convertTo == 0) return -1;
  int count = ParseArguments(position, false);
  if (count < 0) return 0;
  uint32_t error = 0;
  int ran;
  {
    OperatorSection section;  // conversions use the shared error word
    ran = builtin.convertTo
              ? RunConversion(table, stack_, error, builtin.convertTo, count)
              : RunBuiltin(table, stack_, error, builtin.entry, count);
  }
  if (ran == 0) Fail(error);
  return ran;
}
