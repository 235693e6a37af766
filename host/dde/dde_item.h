// Items of the DDE server: a script variable named by the client, as NAME,
// NAME(row) or NAME(row,col). Lookups never create variables.
#pragma once
#include <cstdint>

#include "operator_lock.h"
#include "shared_variables.h"

class VARIABLE;

// The longest item name read from an atom (its NUL not counted).
const int kItemNameLength = 63;

struct DdeItemName {
  char name[10];  // the text before '(': at most 9 characters are kept
  bool element;   // indices were given
  int32_t row;
  int32_t col;  // 0 when only the row is given
};

// Reads an item name: a name, optionally followed by one decimal index or
// two separated by a comma in parentheses that end the text (blanks around
// the numbers are allowed). False for an empty name, a missing or extra
// index, a sign, a third index or anything after ')'.
bool ParseItemName(const char* item, DdeItemName& parsed);

// The variable or array element the item names: '$' names in the process
// table, any other in the window's table. The caller holds the process
// table's guard for '$' names and the operator section. Null when there is
// none or the index lies outside the array.
VARIABLE* FindItemVariable(VariableTable& windowTable, const DdeItemName& item);

// What reading or linking an item's variable holds, in the order the
// interpreter takes them: the process table's guard for '$' names, then
// the operator section (a store into a linked value runs its change hook
// inside that section).
class ItemAccess {
 public:
  explicit ItemAccess(const DdeItemName& item) : guard_(item.name[0] == '$') {}

 private:
  SharedVariablesGuard guard_;
  OperatorSection section_;
};
