// The STR formats that may reach the C runtime's formatter: exactly one
// conversion, of the kind that matches the value, with small widths.
#pragma once

enum class FormatKind { Long, Real, Text };

// format begins with '%'. True when it holds exactly one conversion of the
// kind (LONG: d i u x X o c; REAL: f e E g G; STRING: s), each optionally
// with the flags - + blank # 0, a width of at most 3 digits, a precision of
// at most 2 digits and, for numbers, the size letter l (LONG also h, not
// with c); "%%" may appear anywhere. "*", "n" and every other letter are
// refused: they would read arguments that are not there.
bool IsSafeFormat(const char* format, FormatKind kind);
