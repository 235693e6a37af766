// The COM Automation bridge: scripts drive Automation servers through
// DISPATCH values (an IDispatch pointer in a VARIABLE).
//
// How the evaluator and the statements use it (every call returns a message
// number, 0 on success, which the caller copies into its error field):
//
//   SET v = CreateObject("ProgId")
//       CreateObject(text, v); 0 (failure) is error 145.
//   v.A.B(1)  /  v.A.B[1]  /  v.A.B          (expression, walked on a copy)
//       every member but the last:  CallDispatch(stack, copy, "A", n, kDispatchGet)
//         with its own arguments pushed first (whatever its brackets); then
//         pop the result into the copy (copy.Assign(*stack.Pop())). A result
//         that is no DISPATCH makes the next member error 153.
//       the last member:  "(" ")" -> kDispatchMethod; "[" "]" or no brackets
//         -> kDispatchGet; its result stays on the stack.
//   v.M(args)                                  (member statement)
//       CallDispatch(..., kDispatchMethod), then pop and drop the result.
//   v.A.B = x        push x,            CallDispatch(stack, copy, "B", 1, kDispatchPut)
//   v.A[args] = x    push args, then x, CallDispatch(stack, copy, "A", n + 1, kDispatchPut)
//   v.A(args) = x    push args only,    CallDispatch(stack, copy, "A", n, kDispatchMethod)
//       the walk to the last member is the same as in an expression; the
//       statement pops and drops the pushed result.
//   SET v = obj.member...
//       walk as in an expression; when v takes a DISPATCH, AddDispatchUser().
//   ERASE v (a DISPATCH)
//       ReleaseDispatch(v).
//
// CallDispatch pops its argument count of values in every case. It pushes
// the result on success and NULL when Invoke itself fails; on the errors it
// finds before Invoke (153, 121, 115) it pushes nothing. A count above the
// values on the stack is 122 with nothing popped. errorText (may be null)
// is written on every 151 and only then: a server exception's description
// as a STRING, NULL for a 151 without one, so no earlier exception's text
// and no empty text is shown for it. Pass a local record and copy it into
// the `$` table variable "$ERRTXT" after a 151 under the table's guard: the
// guard must not be held across Invoke, which may run for long and pump
// messages.
//
// COM users are counted per thread: the first CreateObject or
// AddDispatchUser on a thread initialises COM there, and the ReleaseDispatch
// that brings that thread's count back to 0 uninitialises it. A value copied
// into another script variable (v = w) should count one more user too, so
// that an ERASE of one copy cannot uninitialise COM under the other.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include "value_stack.h"
#include "variable.h"

// Member kinds, as IDispatch::Invoke takes them.
enum DispatchKind : unsigned short {
  kDispatchMethod = DISPATCH_METHOD,        // 1
  kDispatchGet = DISPATCH_PROPERTYGET,      // 2
  kDispatchPut = DISPATCH_PROPERTYPUT,      // 4
};

// Message numbers of the bridge.
enum : unsigned {
  kComErrorBadType = 113,      // DISP_E_OVERFLOW
  kComErrorNoName = 121,       // GetIDsOfNames failed
  kComErrorArgCount = 122,     // DISP_E_BADPARAMCOUNT, DISP_E_PARAMNOTOPTIONAL
  kComErrorNoParam = 131,      // DISP_E_PARAMNOTFOUND
  kComErrorInterface = 141,    // DISP_E_UNKNOWNINTERFACE
  kComErrorCreate = 145,       // CreateObject failed (reported by SET)
  kComErrorVarType = 146,      // DISP_E_BADVARTYPE, DISP_E_TYPEMISMATCH
  kComErrorMemberKind = 150,   // DISP_E_MEMBERNOTFOUND
  kComErrorUnknown = 151,      // DISP_E_EXCEPTION and every other failure
  kComErrorLocale = 152,       // DISP_E_UNKNOWNLCID
  kComErrorNoObject = 153,     // no interface, or an empty member name
};

// Makes a DISPATCH value of the class named by progId (ANSI, at most 64
// characters). The value owns the one reference CoCreateInstance gave; what
// it held before is released. Returns 1, or 0 with the value unchanged: an
// empty or unknown id, no object, or COM that cannot be initialised on this
// thread (then after the box "Ошибка инициализации COM").
int CreateObject(const char* progId, VARIABLE& value);

// Counts one more DISPATCH value held by this thread, initialising COM on
// it when the count was 0. Returns 1, or 0 when COM cannot be initialised
// (nothing counted).
int AddDispatchUser();

// Empties a DISPATCH value (its reference released), makes it NULL and
// counts one user less on this thread, uninitialising COM at 0. A value of
// another type is left as it is; a count already at 0 stays there.
void ReleaseDispatch(VARIABLE& value);

// The calling thread's count of COM users.
long ComUserCount();

// Argument conversion: value -> VARIANT, by the value's type. A STRING
// reached through a POINTER is passed as a reference to *textSlot, which
// receives the BSTR; the caller frees it (SysFreeString) after Invoke, and
// clears out (VariantClear). Returns 1, or 0 with out VT_EMPTY.
int ToVariant(const VARIABLE& value, VARIANT& out, BSTR* textSlot);

// HRESULT of a failed Invoke -> message number.
unsigned DispatchErrorNumber(HRESULT result);

// Invokes member of object with count arguments in script order (args[0]
// is the first). On success result takes the member's value (NULL when it
// gives none); when Invoke fails result becomes NULL. Returns the message
// number; the failures found before Invoke (153, 121, 122 for a negative
// count, 115) leave result as it was.
unsigned InvokeMember(const VARIABLE& object, const char* member, DispatchKind kind, const VARIABLE* args,
                      int count, VARIABLE& result, VARIABLE* errorText);

// The evaluator's form: the top count values of stack are the arguments
// (the first argument deepest). See the top of this header.
unsigned CallDispatch(ValueStack& stack, const VARIABLE& object, const char* member, int count, DispatchKind kind,
                      VARIABLE* errorText);
