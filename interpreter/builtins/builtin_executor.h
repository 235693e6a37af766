// Runs one entry of a built-in table on arguments already on the stack.
#pragma once
#include <cstdint>

#include "builtin_table.h"
#include "value_stack.h"

// count arguments are on the stack (the assignment forms of MID and POKE
// have the assigned value below them). Returns 1 when the entry ran and
// pushed its result; 0 when it failed (error set, the result in its state
// then pushed, usually NULL); -1 for an entry outside the table.
// Value operations report through VARIABLE::Error: callers on several
// threads run this inside the evaluator's operator section.
int RunBuiltin(const BuiltinTable& table, ValueStack& stack, uint32_t& error, int entry,
               int count);

// A conversion "C" + type name: count arguments are on the stack; the
// type's name is pushed after them and CONV runs with count + 1 (any count
// but 1 ends as 122). Same results as RunBuiltin; a full stack is 126.
int RunConversion(const BuiltinTable& table, ValueStack& stack, uint32_t& error,
                  unsigned char type, int count);
