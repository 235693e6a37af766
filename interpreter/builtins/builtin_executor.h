// Runs one entry of a built-in table on arguments already on the stack.
#pragma once
#include <cstdint>

#include "builtin_table.h"
#include "value_stack.h"

// count arguments are on the stack, the first pushed first (the assignment
// forms of MID and POKE have the assigned value and a POINTER to the
// variable below them, and count includes the POINTER). Returns 1 when the
// entry ran and pushed its one result (the assignment forms push nothing);
// 0 when it failed: error holds the message number and the result in its
// state then (usually NULL) is pushed, arguments not yet popped stay below
// it; -1 for an entry outside the table (nothing touched).
// Failures of the value library's conversions (113, 115, 116) arrive in
// error too: the entries that convert clear the process-wide
// VARIABLE::Error before and read it back after; the others leave it alone
// (another thread's operator may be using it).
int RunBuiltin(const BuiltinTable& table, ValueStack& stack, uint32_t& error, int entry,
               int count);

// A conversion "C" + type name: count arguments are on the stack; the
// type's name is pushed after them and CONV runs with count + 1 (any count
// but 1 ends as 122). Same results as RunBuiltin; a full stack is 126.
int RunConversion(const BuiltinTable& table, ValueStack& stack, uint32_t& error,
                  unsigned char type, int count);
