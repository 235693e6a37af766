#include "interpreter.h"

#include "shared_variables.h"

Interpreter::Interpreter()
    : labels_(&ownLabels_), variables_(&ownVariables_), runFlags_(&runFlagWord_) {}

Interpreter::~Interpreter() {}

int Interpreter::CallBuiltin(const char*, const char*&) { return -1; }

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
