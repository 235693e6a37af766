// The process-wide '$' table: every script and thread reaches names that
// begin with '$' here. Its lists are guarded by one lock; hold a
// SharedVariablesGuard around every use of the table and of the records it
// hands out (take it before any OperatorSection, never inside one).
#pragma once

#include "variable_table.h"

VariableTable& SharedVariables();

class SharedVariablesGuard {
 public:
  // take false makes a guard that holds nothing (for names without '$').
  explicit SharedVariablesGuard(bool take = true);
  ~SharedVariablesGuard();
  SharedVariablesGuard(const SharedVariablesGuard&) = delete;
  SharedVariablesGuard& operator=(const SharedVariablesGuard&) = delete;

 private:
  bool held_;
};
