// The routines behind the interpreter's built-in table, by family.
#pragma once
#include "builtin_frame.h"

// Conversions and text (builtin_text.cpp, builtin_text_scan.cpp, builtin_str.cpp).
bool RunMidAssign(BuiltinFrame& f);
bool RunConv(BuiltinFrame& f);
bool RunEmpty(BuiltinFrame& f);
bool RunStr(BuiltinFrame& f);
bool RunVal(BuiltinFrame& f);
bool RunMid(BuiltinFrame& f);
bool RunInstr(BuiltinFrame& f);
bool RunLeft(BuiltinFrame& f);
bool RunRight(BuiltinFrame& f);
bool RunSpace(BuiltinFrame& f);
bool RunString(BuiltinFrame& f);
bool RunLen(BuiltinFrame& f);
bool RunChr(BuiltinFrame& f);
bool RunAsc(BuiltinFrame& f);
bool RunTrim(BuiltinFrame& f);
bool RunCtrim(BuiltinFrame& f);
bool RunHex(BuiltinFrame& f);
bool RunItem(BuiltinFrame& f);
bool RunChange(BuiltinFrame& f);
bool RunLower(BuiltinFrame& f);
bool RunUpper(BuiltinFrame& f);
bool RunReplace(BuiltinFrame& f);
bool RunType(BuiltinFrame& f);

// Numbers and bits (builtin_numeric.cpp).
bool RunInt(BuiltinFrame& f);
bool RunAbs(BuiltinFrame& f);
bool RunSin(BuiltinFrame& f);
bool RunCos(BuiltinFrame& f);
bool RunTan(BuiltinFrame& f);
bool RunAtn(BuiltinFrame& f);
bool RunLog(BuiltinFrame& f);
bool RunSqr(BuiltinFrame& f);
bool RunAsin(BuiltinFrame& f);
bool RunExp(BuiltinFrame& f);
bool RunPow(BuiltinFrame& f);
bool RunMod(BuiltinFrame& f);
bool RunRnd(BuiltinFrame& f);
bool RunRound(BuiltinFrame& f);
bool RunNot(BuiltinFrame& f);
bool RunOr(BuiltinFrame& f);
bool RunAnd(BuiltinFrame& f);
bool RunIncl(BuiltinFrame& f);
bool RunExcl(BuiltinFrame& f);
bool RunBit(BuiltinFrame& f);
bool RunLoword(BuiltinFrame& f);
bool RunHiword(BuiltinFrame& f);
bool RunRgb(BuiltinFrame& f);

// Dates, times and values (builtin_values.cpp).
bool RunDate(BuiltinFrame& f);
bool RunTime(BuiltinFrame& f);
bool RunNow(BuiltinFrame& f);
bool RunIif(BuiltinFrame& f);
bool RunGuid(BuiltinFrame& f);
bool RunImage(BuiltinFrame& f);
bool RunSize(BuiltinFrame& f);

// Memory and fonts (builtin_memory.cpp).
bool RunPeek(BuiltinFrame& f);
bool RunPokeAssign(BuiltinFrame& f);
bool RunMcopy(BuiltinFrame& f);
bool RunFont(BuiltinFrame& f);
