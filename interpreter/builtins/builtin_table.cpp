#include "builtin_table.h"

#include "builtin_entries.h"
#include "keyword_list.h"
#include "variable.h"

namespace {

const char kNames[] =
    "VARPTR\0CONV\0EMPTY\0INT\0ABS\0STR\0VAL\0MID\0INSTR\0LEFT\0RIGHT\0SPACE\0"
    "STRING\0SIZE\0LEN\0CHR\0ASC\0TRIM\0CTRIM\0DATE\0TIME\0NOT\0INCL\0EXCL\0"
    "IMAGE\0HEX\0PEEK\0POKE\0RGB\0SIN\0COS\0TAN\0ATN\0LOG\0SQR\0RND\0OR\0"
    "FONT\0ITEM\0LOWORD\0HIWORD\0CHANGE\0MCOPY\0MOD\0POW\0AND\0BIT\0LOWER\0"
    "UPPER\0ROUND\0NOW\0IIF\0GUID\0ASIN\0EXP\0REPLACE\0TYPE\0";

const BuiltinSpec kSpecs[] = {
    {RunMidAssign, 2, 3, true},  // 1
    {RunConv, 2, 2, false}, {RunEmpty, 1, 1, false}, {RunInt, 1, 1, false},
    {RunAbs, 1, 1, false}, {RunStr, 1, 2, false}, {RunVal, 1, 1, false},
    {RunMid, 2, 3, false}, {RunInstr, 2, 3, false}, {RunLeft, 2, 2, false},
    {RunRight, 2, 2, false}, {RunSpace, 1, 1, false}, {RunString, 2, 2, false},
    {RunSize, 1, 1, false}, {RunLen, 1, 1, false}, {RunChr, 1, 1, false},
    {RunAsc, 1, 2, false}, {RunTrim, 1, 1, false}, {RunCtrim, 1, 1, false},
    {RunDate, 1, 2, false}, {RunTime, 1, 1, false}, {RunNot, 1, 2, false},
    {RunIncl, 2, 2, false}, {RunExcl, 2, 2, false}, {RunImage, 1, 1, false},
    {RunHex, 1, 1, false}, {RunPeek, 3, 3, false},
    {RunPokeAssign, 3, 3, true},  // 28
    {RunRgb, 3, 3, false}, {RunSin, 1, 1, false}, {RunCos, 1, 1, false},
    {RunTan, 1, 1, false}, {RunAtn, 1, 1, false}, {RunLog, 1, 1, false},
    {RunSqr, 1, 1, false}, {RunRnd, 1, 1, false}, {RunOr, 2, 2, false},
    {RunFont, 4, 4, false}, {RunItem, 3, 3, false}, {RunLoword, 1, 1, false},
    {RunHiword, 1, 1, false}, {RunChange, 2, 2, false}, {RunMcopy, 1, 2, false},
    {RunMod, 2, 2, false}, {RunPow, 2, 2, false}, {RunAnd, 2, 2, false},
    {RunBit, 2, 2, false}, {RunLower, 1, 1, false}, {RunUpper, 1, 1, false},
    {RunRound, 2, 2, false}, {RunNow, 1, 1, false}, {RunIif, 3, 3, false},
    {RunGuid, 1, 1, false}, {RunAsin, 1, 1, false}, {RunExp, 1, 1, false},
    {RunReplace, 3, 3, false},
    {RunType, 1, 1, false},  // 57
};
static_assert(sizeof kSpecs / sizeof kSpecs[0] == kBuiltinType, "one spec per name");

const BuiltinTable kInterpreterTable = {kNames, kSpecs, kBuiltinType};
const BuiltinTable kFormTable = {kNames, kSpecs, kBuiltinType - 1};

// Names are looked up at every call.
int FindName(const BuiltinTable& table, const char* name) {
  static const KeywordIndexTable own(kNames);
  return &table == &kInterpreterTable ? own.Find(name) : KeywordIndex(table.names, name);
}

// As VARIABLE::TypeFromName.
unsigned char FindType(const char* name) {
  static const KeywordIndexTable types(kVariableTypeNames);
  int index = types.Find(name);
  return index ? VARIABLE::TypeFromLetter(KeywordAt(kVariableTypeNames, index)[0]) : 0;
}

}  // namespace

const BuiltinTable& InterpreterBuiltins() { return kInterpreterTable; }

const BuiltinTable& FormBuiltins() { return kFormTable; }

BuiltinName FindBuiltin(const BuiltinTable& table, const char* name) {
  BuiltinName found = {0, 0};
  if (name[0] == 'C') {
    unsigned char type = FindType(name + 1);
    if (type != VAL_NULL) {
      found.entry = kBuiltinConv;
      found.convertTo = type;
      return found;
    }
  }
  int n = FindName(table, name);
  // The assignment forms (VARPTR's and POKE's entries) are run by the
  // assignment statement alone: in an expression their value would come
  // from whatever operand lies below the arguments.
  if (n >= 1 && n <= table.size && !table.specs[n - 1].assignment) found.entry = n;
  return found;
}
