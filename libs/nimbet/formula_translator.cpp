#include "formula_translator.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "keyword_list.h"

namespace {

bool IsRunChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'; }

const char* RunEnd(const char* p) {
  while (IsRunChar(*p)) ++p;
  return p;
}

std::string Replace(const char* pattern, const std::string& value) {
  std::string text = pattern;
  text.replace(text.find("%s"), 2, value);
  return text;
}

}  // namespace

bool FormulaTranslator::Translate(const char* formula, const char* names, std::string& postfix) {
  try {
    std::string text;
    for (const char* p = formula ? formula : ""; *p; ++p)
      if (*p != ' ') text += *p;
    if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    if (std::count(text.begin(), text.end(), '(') != std::count(text.begin(), text.end(), ')')) {
      box_("Не парные скобки", "Расчет");
      Fail(kUnpairedBrackets);
      return false;
    }
    if (text.empty()) {
      postfix.clear();
      return true;
    }
    if (names && *names) {
      names_ = names;
      for (char& c : names_)
        if (c == '|') c = '\0';
      names_.append(2, '\0');  // the last item's end and the empty item
    }
    // The parse ends where no level takes the character; the rest is not used.
    Relation(text.c_str());
    if (error_) return false;
    if (!out_.empty()) out_.pop_back();
    postfix = out_;
    return true;
  } catch (const std::bad_alloc&) {
    Fail(kOutOfMemory);
    return false;
  }
}

// Operators of one level, each after its right operand, left to right.
const char* FormulaTranslator::Chain(const char* p, const char* operators, Level operand) {
  while (!Broken() && *p && std::strchr(operators, *p)) {
    char op = *p;
    p = (this->*operand)(p + 1);
    Emit(std::string(1, op));
  }
  return p;
}

// All six relations have one precedence.
const char* FormulaTranslator::Relation(const char* p) {
  return Chain(Sum(p), "><=#&|", &FormulaTranslator::Sum);
}

// A leading '-' negates a plain operand in its own item ("-A"); a bracket
// or a call is subtracted from 0 after its product: -(a+b)*c is
// 0,A,B,+,C,*,- and not a minus that the first operand alone would carry.
const char* FormulaTranslator::Sum(const char* p) {
  bool subtractProduct = false;
  if (*p == '-') {
    ++p;
    const char* end = RunEnd(p);
    if (*p == '(' || (end != p && *end == '(')) {
      Emit("0");
      subtractProduct = true;
    } else {
      negateNext_ = true;
    }
  }
  p = Product(p);
  if (subtractProduct) Emit("-");
  return Chain(p, "+-", &FormulaTranslator::Product);
}

const char* FormulaTranslator::Product(const char* p) {
  return Chain(Primary(p), "*/", &FormulaTranslator::Primary);
}

const char* FormulaTranslator::Primary(const char* p) {
  if (Broken()) return p;
  if (*p == '(') {
    p = Relation(p + 1);
    if (Broken()) return p;
    if (*p != ')') {
      Fail(kMalformed);
      return p;
    }
    return p + 1;
  }
  const char* end = RunEnd(p);
  if (end == p) {
    Fail(kMalformed);
    return p;
  }
  if (*end == '(') return Call(p, static_cast<size_t>(end - p), end + 1);
  std::string run(p, end);
  CheckName(run, false);
  Emit(run);
  return end;
}

// Arguments are sums (no relations) separated by ','; "G()" has none.
const char* FormulaTranslator::Call(const char* name, size_t length, const char* p) {
  int count = 0;
  if (*p == ')') {
    ++p;
  } else {
    for (;;) {
      p = Sum(p);
      if (Broken()) return p;
      ++count;
      if (*p == ',') {
        ++p;
        continue;
      }
      if (*p != ')') {
        Fail(kMalformed);
        return p;
      }
      ++p;
      break;
    }
  }
  std::string item = std::string(name, length) + "(" + std::to_string(count) + ")";
  CheckName(item, true);
  Emit(item);
  return p;
}

void FormulaTranslator::Emit(const std::string& item) {
  if (negateNext_) {
    out_ += '-';
    negateNext_ = false;
  }
  out_ += item;
  out_ += ',';
}

void FormulaTranslator::CheckName(const std::string& run, bool function) {
  if (names_.empty() || (!function && run[0] >= '0' && run[0] <= '9')) return;
  if (KeywordIndex(names_.c_str(), run.c_str())) return;
  if (function) {
    box_(Replace("Функция %s не найдена,\nили не верное кол-во пареаметров", run), "ОШИБКА");
    Fail(kUnknownFunction);
  } else {
    box_(Replace("Переменная %s не найдена", run), "ОШИБКА");
    Fail(kUnknownVariable);
  }
}
