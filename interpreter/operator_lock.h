// The process-wide operator section. Value operations report failures
// through the one shared word VARIABLE::Error; each operation runs inside
// this section with the word cleared first and read back before leaving, so
// one failed operation never fails the next one, here or on another thread.
#pragma once

class OperatorSection {
 public:
  OperatorSection();   // enters the section and clears VARIABLE::Error
  ~OperatorSection();  // leaves it
  OperatorSection(const OperatorSection&) = delete;
  OperatorSection& operator=(const OperatorSection&) = delete;

  // The error the operations inside left (0 = none); clears the word.
  unsigned TakeError();
};

// Deletes this module's section. A library that links the evaluator calls
// it from its stop routine (its last detach), after which nothing of the
// module evaluates; the program never deletes its own.
void DeleteOperatorLock();
