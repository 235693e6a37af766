// Infix formula to postfix text: "(a+b)*c" -> "A,B,+,C,*". Operands and
// operators are items ended by ','; a call f(x, y) is its arguments' items
// and then "F(2)". Optionally every name is checked against a list of
// allowed names ("A|B|F(2)", compared without case; numbers need none).
#pragma once
#include <cstdint>
#include <string>

class FormulaTranslator {
 public:
  enum : uint16_t {
    kUnpairedBrackets = 112,
    kOutOfMemory = 115,
    kUnknownFunction = 121,
    kUnknownVariable = 131,
    kMalformed = 1,  // a missing operand or an unclosed bracket or call
  };
  // Shows an error to the user (bracket and name errors only).
  using ErrorBox = void (*)(const std::string& text, const char* caption);

  explicit FormulaTranslator(ErrorBox box) : box_(box) {}

  // The postfix text; false on any error (error() says which, the last one
  // when there were several). Null texts count as "".
  bool Translate(const char* formula, const char* names, std::string& postfix);
  uint16_t error() const { return error_; }

 private:
  using Level = const char* (FormulaTranslator::*)(const char* p);
  const char* Chain(const char* p, const char* operators, Level operand);
  const char* Relation(const char* p);
  const char* Sum(const char* p);
  const char* Product(const char* p);
  const char* Primary(const char* p);
  const char* Call(const char* name, size_t length, const char* p);
  void Emit(const std::string& item);
  void CheckName(const std::string& run, bool function);
  void Fail(uint16_t error) { error_ = error; }
  bool Broken() const { return error_ == kMalformed || error_ == kOutOfMemory; }

  ErrorBox box_;
  std::string names_;  // keyword list: items ended by zeros, then an empty one
  std::string out_;
  bool negateNext_ = false;  // the next item is a negated operand
  uint16_t error_ = 0;
};
