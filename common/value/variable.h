// VARIABLE: the one value type of the system. Every script variable, array
// element, evaluator operand and extension-library argument is one of these
// records. The layout is fixed (records cross library boundaries by pointer):
// offset 0 type code, offset 1 DDE link count, offset 2 sixteen payload bytes.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <cstdint>

#include "money.h"

enum VariableType : unsigned char {
  VAL_NULL = 0,
  VAL_LONG = 1,
  VAL_REAL = 2,
  VAL_STRING = 3,
  VAL_BOOL = 4,
  VAL_POINTER = 5,
  VAL_VARIABLE = 6,
  VAL_OBJECT = 7,
  VAL_MONEY = 8,
  VAL_DISPATCH = 9,
  VAL_IMAGE = 10,
  VAL_TIME = 11,
  VAL_GUID = 12,
};

// Error numbers the library leaves in VARIABLE::Error.
enum : unsigned {
  kErrorTypeMismatch = 113,
  kErrorZeroDivisor = 114,
  kErrorOutOfMemory = 115,
  kErrorNotDefined = 116,
  kErrorIndexRange = 117,
  kErrorDateRange = 137,
};

// Room for the text of any type but STRING (GUID 38, REAL up to 18, MONEY 21).
const int kValueTextSize = 64;
// Room for RealToText.
const int kRealTextSize = 32;

#pragma pack(push, 1)
class VARIABLE {
 public:
  unsigned char type;   // VariableType
  unsigned char links;  // DDE advise links on this record
  union {
    unsigned char raw[16];
    int32_t lng;  // LONG, and BOOL (stored as given, 0 false)
    double real;
    char* text;  // STRING: heap text (may be null), capacity = heap block size
    VARIABLE* target;  // POINTER: not owned
    MONEY money;
    struct {
      uint32_t handle;
      const char* module;  // the binding module's name, not owned
    } object;
    struct {
      IDispatch* pointer;  // holds one reference
      char* name;          // heap, owned (may be null)
    } dispatch;
    struct {
      HGLOBAL handle;  // movable block, shared by copies, freed by Clear
      uint32_t size;
    } image;
    struct {
      int32_t date;     // year*10000 + month*100 + day
      int32_t seconds;  // seconds of the day
    } time;
    GUID guid;
  };

  // The library's last error (113, 114, 115, 116, 117, 137). Only set here;
  // the interpreter clears it before an operation and reads it after.
  static unsigned Error;

  VARIABLE();
  VARIABLE(const VARIABLE& source);
  ~VARIABLE();
  // A bitwise copy would share texts and references: use Assign/ConvertFrom.
  VARIABLE& operator=(const VARIABLE&) = delete;

  // Frees the payload, keeps the type.
  VARIABLE& Clear();
  // Retypes: leaving STRING frees the text, leaving DISPATCH releases the
  // reference; the payload is zeroed. The same type changes nothing.
  VARIABLE& TYPE(unsigned char newType);
  // STRING text or IMAGE block of at least n bytes; 0 (and 115) on failure.
  int Allocate(unsigned long n);
  // add != 0 increments, 0 decrements (not below 0); returns the count.
  unsigned char Link(int add);
  // STRING: the full text length (texts are sized by it, whatever their
  // length); IMAGE: the size field; others 0.
  unsigned long Length() const;
  unsigned long Size() const;

  // Setters: store, then call VariableUpdated when links != 0. The static
  // forms take a record that may be null and then do nothing.
  VARIABLE& SetLong(int32_t value);
  VARIABLE& SetReal(double value);
  VARIABLE& SetBool(int32_t value);
  VARIABLE& SetMoney(MONEY value);
  VARIABLE& SetImage(HGLOBAL handle);
  VARIABLE& operator=(const char* text);  // null: the empty text
  // Reads a VARIANT; the VARIANT stays the caller's (nothing in it is freed).
  VARIABLE& SetVariant(const VARIANT* variant);
  static VARIABLE* SetLong(VARIABLE* v, int32_t value);
  static VARIABLE* SetReal(VARIABLE* v, double value);
  static VARIABLE* SetBool(VARIABLE* v, int32_t value);
  static VARIABLE* SetMoney(VARIABLE* v, MONEY value);
  static VARIABLE* SetImage(VARIABLE* v, HGLOBAL handle);
  static VARIABLE* SetText(VARIABLE* v, const char* text);
  static VARIABLE* SetVariant(VARIABLE* v, const VARIANT* variant);
  VARIABLE MakePointer();

  // The source's type wins.
  VARIABLE& Assign(const VARIABLE& source);
  // The target's type wins (a NULL target takes the source's).
  VARIABLE& ConvertFrom(const VARIABLE& source);
  static VARIABLE* Assign(VARIABLE* v, const VARIABLE& source);
  static VARIABLE* ConvertFrom(VARIABLE* v, const VARIABLE& source);

  // Zero-fills size bytes, then writes at most size - 1 characters of the
  // text form; exact selects the MONEY form with up to four decimals.
  char* GetText(char* buffer, size_t size, int exact) const;
  static unsigned char TypeFromLetter(char letter);  // 255 when unknown
  static const char* TypeName(unsigned code);        // null above 12
  static unsigned char TypeFromName(const char* name);  // 0 when unknown
  // "%f" for 0.01 <= |x| <= 2147483647.0, else "%E"; buffer kRealTextSize.
  static char* RealToText(double x, char* buffer);

  // The built-in ROUND: a new value, the record unchanged.
  VARIABLE Round(int digits) const;
  // Unary operators in place; a type they do not take gives 113.
  VARIABLE& BitNot();
  VARIABLE& Not();
  VARIABLE& Negate();

  // Binary operators in script order (left OP right). Each may change the
  // operands' type bytes (a NULL operand takes the other's type). A null
  // operand gives a NULL result, or 0 for a comparison, and no error.
  static VARIABLE Add(VARIABLE* left, VARIABLE* right);
  static VARIABLE Subtract(VARIABLE* left, VARIABLE* right);
  static VARIABLE Multiply(VARIABLE* left, VARIABLE* right);
  static VARIABLE Divide(VARIABLE* left, VARIABLE* right);
  static VARIABLE Ampersand(VARIABLE* left, VARIABLE* right);  // AND / append
  static VARIABLE Bar(VARIABLE* left, VARIABLE* right);        // OR
  // The text that "left & right" (op '&') or "left + right" (op '+') puts
  // behind a STRING left operand's text; number texts are written into
  // local (kValueTextSize bytes). Null where that operator makes no text of
  // this right operand (it fails with 113 then).
  static const char* JoinedText(char op, const VARIABLE& right, char* local);
  static int Greater(VARIABLE* left, VARIABLE* right);
  static int Less(VARIABLE* left, VARIABLE* right);
  static int Equal(VARIABLE* left, VARIABLE* right);
  static int GreaterEqual(VARIABLE* left, VARIABLE* right);
  static int LessEqual(VARIABLE* left, VARIABLE* right);
  static int NotEqual(VARIABLE* left, VARIABLE* right);

  // The record operators. +, -, *, / and the comparisons are called on the
  // left operand; & and | are called on the RIGHT operand with the left one
  // as argument: right.operator&(left) computes the script's "left & right".
  VARIABLE operator+(VARIABLE& right) { return Add(this, &right); }
  VARIABLE operator-(VARIABLE& right) { return Subtract(this, &right); }
  VARIABLE operator*(VARIABLE& right) { return Multiply(this, &right); }
  VARIABLE operator/(VARIABLE& right) { return Divide(this, &right); }
  VARIABLE operator&(VARIABLE& left) { return Ampersand(&left, this); }
  VARIABLE operator|(VARIABLE& left) { return Bar(&left, this); }
  int operator>(VARIABLE& right) { return Greater(this, &right); }
  int operator<(VARIABLE& right) { return Less(this, &right); }
  int operator==(VARIABLE& right) { return Equal(this, &right); }
  int operator>=(VARIABLE& right) { return GreaterEqual(this, &right); }
  int operator<=(VARIABLE& right) { return LessEqual(this, &right); }
  int operator!=(VARIABLE& right) { return NotEqual(this, &right); }
};
#pragma pack(pop)

static_assert(sizeof(VARIABLE) == 18, "VARIABLE crosses library boundaries: 18 bytes");
static_assert(offsetof(VARIABLE, links) == 1 && offsetof(VARIABLE, raw) == 2, "VARIABLE layout");

// The zero-separated type-name list "NULL" .. "GUID", a keyword list.
extern const char kVariableTypeNames[];

// Called after a store into a record whose link count is not 0. Declared
// here, defined by each deliverable: the program pushes the new text to its
// DDE clients, libraries link korvex_value_nohook (an empty body).
void VariableUpdated(VARIABLE* v);

// Shows a value in a window (a POINTER shows its target); returns 1.
int VariableToWindow(HWND window, VARIABLE* v);
// Reads a window's text back by the record's type (no change hook).
int WindowToVariable(HWND window, VARIABLE* v);
