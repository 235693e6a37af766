// The built-in names and how a name reaches an entry. The table is a
// keyword list numbered from 1; the number is the entry the executor runs.
// A second table (the window interpreter's) is built the same way.
#pragma once
#include <cstdint>

class BuiltinFrame;

enum BuiltinEntry : int {
  kBuiltinMidAssign = 1,  // the name VARPTR; from the MID assignment only
  kBuiltinConv = 2,
  kBuiltinEmpty, kBuiltinInt, kBuiltinAbs, kBuiltinStr, kBuiltinVal, kBuiltinMid,
  kBuiltinInstr, kBuiltinLeft, kBuiltinRight, kBuiltinSpace, kBuiltinString,
  kBuiltinSize, kBuiltinLen, kBuiltinChr, kBuiltinAsc, kBuiltinTrim, kBuiltinCtrim,
  kBuiltinDate, kBuiltinTime, kBuiltinNot, kBuiltinIncl, kBuiltinExcl, kBuiltinImage,
  kBuiltinHex, kBuiltinPeek,
  kBuiltinPokeAssign = 28,  // from the POKE assignment only
  kBuiltinRgb, kBuiltinSin, kBuiltinCos, kBuiltinTan, kBuiltinAtn, kBuiltinLog,
  kBuiltinSqr, kBuiltinRnd, kBuiltinOr, kBuiltinFont, kBuiltinItem, kBuiltinLoword,
  kBuiltinHiword, kBuiltinChange, kBuiltinMcopy, kBuiltinMod, kBuiltinPow, kBuiltinAnd,
  kBuiltinBit, kBuiltinLower, kBuiltinUpper, kBuiltinRound, kBuiltinNow, kBuiltinIif,
  kBuiltinGuid, kBuiltinAsin, kBuiltinExp, kBuiltinReplace,
  kBuiltinType = 57,
};

// One entry: its routine and the argument counts it accepts (else 122).
// The routine pops its arguments and fills the frame's result; false when
// it failed (the frame holds the error).
struct BuiltinSpec {
  bool (*run)(BuiltinFrame& frame);
  uint8_t minArgs;
  uint8_t maxArgs;
  bool assignment;  // MID/POKE assignment form: pushes nothing when it works
};

struct BuiltinTable {
  const char* names;         // keyword list, entry n is the n-th name
  const BuiltinSpec* specs;  // specs[0] is entry 1
  int size;
};

// The interpreter's 57 built-ins.
const BuiltinTable& InterpreterBuiltins();
// The form evaluator's: the same list without its last name, TYPE (56).
const BuiltinTable& FormBuiltins();

// How a name written before "(" is read.
struct BuiltinName {
  int entry;               // 0: no built-in
  unsigned char convertTo;  // a conversion "C" + type name: the type, else 0
};
// A name met in an expression, without regard to case except the
// conversion's upper-case "C". The assignment-only entries (1 and 28) are
// no built-ins there; the MID and POKE assignments run them by number.
BuiltinName FindBuiltin(const BuiltinTable& table, const char* name);
