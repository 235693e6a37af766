#include "interpreter.h"

#include "builtin_executor.h"
#include "builtin_table.h"
#include "operator_lock.h"
#include "shared_variables.h"

Interpreter::Interpreter()
    : labels_(&ownLabels_), variables_(&ownVariables_), runFlags_(&runFlagWord_) {}

Interpreter::~Interpreter() {
  // A run that ended inside subroutines (an error, END, a stop) leaves its
  // frames: they go with the interpreter.
  while (frame_) {
    ProcedureFrame* parent = frame_->parent;
    delete frame_;
    frame_ = parent;
  }
  while (spareFrames_) {
    ProcedureFrame* next = spareFrames_->parent;
    delete spareFrames_;
    spareFrames_ = next;
  }
}

int Interpreter::CallBuiltin(const char* name, const char*& position) {
  BuiltinName builtin = FindBuiltin(InterpreterBuiltins(), name);
  if (builtin.entry == 0 && builtin.convertTo == 0) return -1;
  int count = ParseArguments(position);
  if (count < 0) return 0;
  if (builtin.convertTo == 0) return EvaluateBuiltin(builtin.entry, count);
  uint32_t error = 0;
  int ran;
  {
    OperatorSection section;  // conversions use the shared error word
    ran = RunConversion(InterpreterBuiltins(), stack_, error, builtin.convertTo, count);
  }
  if (ran == 0) Fail(error);
  return ran;
}

bool Interpreter::IsPlainBuiltin(const char* name) {
  BuiltinName builtin = FindBuiltin(InterpreterBuiltins(), name);
  return builtin.convertTo != 0 || (builtin.entry != 0 && builtin.entry != kBuiltinMcopy);
}

int Interpreter::EvaluateBuiltin(int entry, int count) {
  uint32_t error = 0;
  int ran;
  {
    OperatorSection section;
    ran = RunBuiltin(InterpreterBuiltins(), stack_, error, entry, count);
  }
  if (ran == 0) Fail(error);
  return ran;
}

const char* Interpreter::FindLabel(const char* name) { return labels_->FindLabel(name); }

int Interpreter::OnStop(const char*) { return 0; }

void Interpreter::OnError(const char*) {}

int Interpreter::ExecUnknownStatement(const char*) { return 0; }

int Interpreter::RunFile() { return 0; }

void Interpreter::SetStart(const char* position) {
  start_ = position;
  labels_->AddLabel("BEGIN", position);
}

void Interpreter::ShareContext(Interpreter* parent) {
  if (parent) {
    if (!sharing_) ownStart_ = start_;
    sharing_ = true;
    labels_ = parent->labels_;
    variables_ = parent->variables_;
    runFlags_ = parent->runFlags_;
    start_ = parent->start_;
  } else {
    if (sharing_) start_ = ownStart_;
    sharing_ = false;
    labels_ = &ownLabels_;
    variables_ = &ownVariables_;
    runFlags_ = &runFlagWord_;
  }
}

VARIABLE* Interpreter::ResolveScalar(const char* name, uint32_t& error) {
  if (name[0] == '$') return SharedVariables().FindOrCreate(name, error);
  if (name[0] == '@' && frame_) return frame_->locals.FindOrCreate(name, error);
  return variables_->FindOrCreate(name, error);
}

int Interpreter::CloseCall(const char*& p) {
  if (*p != ')') return Fail(kEvalErrorSyntax);
  ++p;
  return 0;
}
