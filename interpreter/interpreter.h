// The statement interpreter's state and the parts the expression grammar
// needs from it: variable scopes, the operand routine, VARPTR, assignment
// targets, EVENT/COMMAND bindings and the sharing of a window's tables.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "expression_evaluator.h"
#include "label_table.h"
#include "procedure_frame.h"
#include "variable_table.h"

// Bits of the run-flag word.
enum : uint16_t {
  kRunStop = 0x0001,       // BREAK or the host's close request
  kRunMouseMove = 0x0002,  // event 1015 is bound
  kRunHide = 0x0010,       // first-line option HIDE
  kRunWindow = 0x0020,     // first-line option WINDOW
};

const uint32_t kEventMouseMove = 1015;

// Message numbers of the run loop.
enum : uint32_t {
  kRunErrorLabelRange = 119,  // REM BEGIN without REM END
  kRunErrorUnknownWord = 123,
  kRunErrorNoLabel = 124,
  kRunErrorDuplicateLabel = 127,
  kRunErrorNextWithoutFor = 128,
  kRunErrorForWithoutNext = 129,
  kRunErrorLoopStack = 136,
  kRunErrorExitWithoutFor = 149,
  kRunErrorEndifWithoutIf = 155,
  kRunErrorElseWithoutIf = 156,
  kRunErrorIfStack = 157,
  kRunErrorIfWithoutEndif = 158,
};

// One running FOR or LOOP.
struct LoopFrame {
  VARIABLE* variable = nullptr;  // null for LOOP
  VARIABLE limit;
  VARIABLE step;
  const char* bodyStart = nullptr;
  const char* end = nullptr;  // the statement end behind the matching NEXT
  uint16_t ifDepth = 0;       // restored by NEXT, CONTINUE and EXIT
  bool shared = false;        // the variable is a '$' name
};

class Interpreter : public ExpressionEvaluator {
 public:
  Interpreter();
  ~Interpreter() override;

  // Literal, variable, member access, library call, VARPTR, built-in or
  // array element at the position, pushed.
  int EvaluateOperand(const char*& position) override;
  // The built-in library: 1 ran and pushed its result, 0 failed (error
  // set), below 0 no built-in (nothing read).
  int CallBuiltin(const char* name, const char*& position) override;
  // Runs one entry on count arguments already on the stack; as CallBuiltin,
  // and -1 for an entry outside the table.
  int EvaluateBuiltin(int entry, int count);
  const char* FindLabel(const char* name) override;
  virtual int OnStop(const char* position);
  virtual void OnError(const char* position);
  // A statement word that is no keyword (cut before a '(' or '-' that
  // follows it directly); the position stands behind the word. 1 when the
  // word was taken (a failure is the error it stored), 0 for error 123.
  virtual int ExecUnknownStatement(const char* word);
  virtual int RunFile();

  // The argument of VARPTR: pushes a POINTER to a variable or element.
  int ParseReference(const char*& position);
  // Pops the value and stores it into the target named by the text before
  // '=' (target points at that text). 0 on success.
  int Assign(const char* target);
  // The assignment statement: evaluates the expression at position (which
  // must give a value) and stores it; the stack is back at its depth on
  // entry afterwards, also after an error.
  int ExecAssignment(const char* target, const char*& position);
  // EVENT (command false) and COMMAND (command true), at the text behind
  // the statement word.
  int ExecEvent(const char*& position, bool command);

  // Runs from start to the end of the text, END, a stop or an error: 1 at
  // the end or after a bare END, the value of END expr, 0 after a stop or an
  // error (OnError has then been called with the position reached).
  uint32_t Run(const char* start);
  // Collects every label of the text: 1, or 0 after error 127 (OnError is
  // called with the position behind the duplicate's ':').
  int ScanLabels(const char* text);
  // The value of the variable "HWND" (the script window), or null.
  HWND GetWindowHandle();

  // Statement executors. Each starts at the current position (behind its
  // keyword and blanks) and returns 0 on success; on failure the error field
  // is set and 1 returned. The run loop skips what they leave of the
  // statement.
  int ExecDim();
  int ExecRedim();
  int ExecLet();
  int ExecSet();
  int ExecErase();
  int ExecFree();
  int ExecDelay();
  // WRITE items / WRITE TO|ADD CLIPBOARD|FILE|DOSFILE, on the window HWND.
  int ExecWrite();
  int ExecGosub();
  // DEF MODULE (binds the library) or DEF MODULE!EXPORT(...) (one
  // declaration).
  int ExecDef();
  // GOSUB and ON ... GOSUB: arguments at the current position, then the
  // label at position. 1 on success, 0 with the error field set.
  int CallSubroutine(const char* label);
  // 1 when it returned (the position is then the return position), 0 when
  // there was no frame or the FUNC value failed (error field set).
  int ExecReturn();

  // Extension calls. CallExtension calls the export that path
  // (MODULE!EXPORT) names with the top count values as its arguments (the
  // first deepest): they are popped in every case, and on success the
  // result is pushed. 0, or 1 with the error field set.
  int CallExtension(const char* path, int count);
  // The path MODULE!MODULE_member of an OBJECT's member: 0, or 1 with 153
  // for a handle of 0. The caller pushes the handle as the first argument.
  int CallObjectMember(const VARIABLE& object, const char* member, std::string& path);

  uint16_t LoopDepth() const { return loopDepth_; }
  uint16_t IfDepth() const { return ifDepth_; }

  const char* Position() const { return position_; }
  void SetPosition(const char* position) { position_ = position; }

  // Stores the start of the text and adds the label BEGIN at it (before
  // the label scan, so a script label BEGIN is a duplicate).
  void SetStart(const char* position);

  // With a parent: work on the parent's labels, bindings, scalars, arrays,
  // run-flag word and start position; with null: detach again.
  void ShareContext(Interpreter* parent);

  // The scalar a name reaches: '$' the process table (the caller holds a
  // SharedVariablesGuard), '@' inside a subroutine the frame's locals, any
  // other name this interpreter's table. Created as NULL when missing.
  VARIABLE* ResolveScalar(const char* name, uint32_t& error);

  VariableTable& Variables() { return *variables_; }
  LabelTable& Labels() { return *labels_; }
  ProcedureFrame* Frame() const { return frame_; }
  void SetFrame(ProcedureFrame* frame) { frame_ = frame; }
  uint16_t& RunFlags() { return *runFlags_; }
  const char* Start() const { return start_; }

 protected:
  static const int kLoopFrames = 20;
  static const int kIfLevels = 30;

  // The run loop's parts (0 on success, 1 with the error field set).
  enum StatementEnd { kSkipRest, kNoSkip, kEndRun };
  StatementEnd ExecStatement(bool& trace, uint32_t& result);
  StatementEnd ExecKeyword(int keyword, bool& trace, uint32_t& result);
  int ExecMemberStatement(const char* word);
  int SkipBranch();
  int ExecIf(StatementEnd& how);
  int ParseCondition(const char*& p);
  int ParseConditionTerm(const char*& p);
  int ExecElse();
  int ExecEndif();
  int ExecGoto();
  int ExecOn();
  int ExecEnd(uint32_t& result);
  int ExecRem();
  int ExecFor();
  int ExecLoop();
  int ExecNext(bool checked);
  int ExecExit();
  // The statement end behind the NEXT that closes a loop whose body starts
  // at body, or null (129).
  const char* FindLoopEnd(const char* body);
  int PushLoop(const LoopFrame& frame);
  void JumpTo(const char* target);
  void UnwindLoops(const char* target);
  // The label named at p (up to a blank or the statement end, 8 kept);
  // p is left behind the name.
  const char* ReadLabel(const char*& p);

  // A plain name's value; "TRUE" and "FALSE" are BOOL constants.
  int PushScalar(const char* name);
  // The element of an array: the '$' table's for '$' names, else this
  // interpreter's. (No arrays in subroutine frames.)
  int PushElement(const char* name, const char*& p);
  int MemberOperand(const char* object, const char* member, const char*& p);
  // A library call at p (behind '('): the arguments, the call and ')'. With
  // an object its handle goes first. The result is pushed.
  int LibraryCallOperand(const char* path, const VARIABLE* object, const char*& p);
  // obj.member(args) on an OBJECT: MODULE!MODULE_member, the handle first.
  int ObjectMemberOperand(const VARIABLE& object, const char* member, const char*& p);
  // Stores into one scalar: the value's own type wins.
  int StoreScalar(VARIABLE* target, const VARIABLE& value);
  // As StoreScalar for a value just popped, whose text may be taken over.
  int StoreScalarMoving(VARIABLE* target, VARIABLE* value);
  int AssignElement(const char* name, const char* p);
  int AssignThroughBuiltin(const char* name, const char* p);
  // object.member... = value: members is the text behind the first '.'.
  int AssignMember(const char* object, const char* members);
  // ')' must follow (consumed), else 112.
  int CloseCall(const char*& p);

  // Automation members (interpreter_dispatch.cpp). One member of a chain:
  // its name, its bracket ('(', '[' or 0 for none) and its argument count.
  static const int kMemberName = 64;
  struct DispatchMember {
    char name[kMemberName + 1];
    char bracket;
    int count;
  };
  // The member name at p (up to an operand delimiter or '.', 64 kept);
  // returns the position behind it.
  static const char* ReadMemberName(const char* p, char (&name)[kMemberName + 1]);
  // Walks a chain on object, a copy of the variable's value: member holds
  // the first name and p is behind it. Every member followed by '.' is
  // read as a property and its result replaces object; the last one's
  // arguments are left on the stack, p behind its closing bracket.
  int WalkDispatch(VARIABLE& object, DispatchMember& member, const char*& p);
  // One member call through the bridge, its result pushed: 0, or 1 with
  // the error set ("$ERRTXT" written after a 151).
  int CallMember(const VARIABLE& object, const char* member, int count, unsigned short kind);
  // v.A.B(1), v.A[1], v.A in an expression: the last result pushed.
  int DispatchOperand(const VARIABLE& object, const char* member, const char*& p);

  // The two forms of LET, behind the keyword; equals is the '=' that ends
  // the target.
  int LetComputedName(const char* equals);
  int LetElements(const char* equals);
  // The source of SET, behind '=': CreateObject, a library or a member walk.
  int SetFromSource(VARIABLE& target);

  // Object hooks of SET and ERASE, for the automation bridge and the
  // extension-library binder. The statements parse and check everything
  // around them; the int hooks return a message number (0 on success).
  //
  // SET v = CreateObject(progId): target is NULL on entry and becomes a
  // DISPATCH made by the automation bridge (a failure is 145). progId is a
  // non-empty text.
  virtual int SetFromCreateObject(VARIABLE& target, const char* progId);
  // SET v = MODULE.member(...) / MODULE!member(...) (object null, module the
  // name as written) and SET v = obj.member(...) with obj an OBJECT (module
  // null). position is behind '(' and is to be left behind ')'; target is
  // NULL on entry and becomes an OBJECT whose handle is the export's result
  // when that is a non-zero LONG, else 0. The binder loads the module when
  // needed.
  virtual int SetFromLibrary(VARIABLE& target, const char* module, const VARIABLE* object,
                             const char* member, const char*& position);
  // SET v = obj.member... with obj a DISPATCH: position is at obj; the chain
  // is walked as in an expression and target (NULL on entry) takes the last
  // result (converted into it); a DISPATCH result counts one more COM user.
  virtual int SetFromMember(VARIABLE& target, const char*& position);
  // ERASE obj (member null: MODULE_Remove) and ERASE obj.member
  // (MODULE_member), called with the OBJECT's non-zero handle; on success
  // the statement makes obj NULL afterwards. The binder calls only an
  // export declared with the handle as its one parameter (another is 122,
  // nothing called); a module without the export has nothing to call.
  virtual int EraseObject(const VARIABLE& object, const char* member);
  // Empties a DISPATCH value (its reference released) and makes it NULL;
  // a value that held an interface counts one COM user less.
  virtual void ReleaseDispatchValue(VARIABLE& value);

  LabelTable ownLabels_;
  VariableTable ownVariables_;
  LabelTable* labels_;
  VariableTable* variables_;
  ProcedureFrame* frame_ = nullptr;
  const char* start_ = nullptr;
  const char* ownStart_ = nullptr;  // kept while the parent's start is used
  bool sharing_ = false;
  const char* position_ = nullptr;
  uint16_t* runFlags_;
  uint16_t handlersRunning_ = 0;
  uint16_t runFlagWord_ = 0;
  LoopFrame loops_[kLoopFrames];
  uint16_t loopDepth_ = 0;
  int32_t ifLevels_[kIfLevels] = {1};
  uint16_t ifDepth_ = 0;
};
