// One active GOSUB: the locals reached by '@' names while it runs.
#pragma once
#include <cstdint>

#include "variable_table.h"

struct ProcedureFrame {
  VariableTable locals;                 // scalars only
  const char* returnPosition = nullptr;  // where the caller continues
  ProcedureFrame* parent = nullptr;      // null for a call from the main level
  uint16_t kind = 0;                     // 0 plain label, 1 PROC, 2 FUNC
  // The caller's loop and IF depths, restored by RETURN, so that a RETURN
  // from inside a loop or block IF leaves the caller's own levels intact.
  uint16_t loopDepth = 0;
  uint16_t ifDepth = 0;
};
