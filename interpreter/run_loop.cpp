// The run loop: statement words, dispatch, and the skip scan of false
// IF branches.
#include <cstring>

#include "interpreter.h"
#include "keyword_list.h"
#include "label_scan.h"
#include "statement_text.h"

namespace {

// The statement keywords; a word's 1-based index selects its executor.
const char kKeywords[] =
    "DIM\0DEF\0IF\0FOR\0NEXT\0GOTO\0END\0STOP\0GOSUB\0RETURN\0BEEP\0ERASE\0LET\0"
    "DELAY\0FREE\0SET\0EVENT\0RUN\0REM\0BREAK\0WRITE\0ON\0TRON\0TROFF\0REDIM\0"
    "CONTINUE\0EXIT\0COMMAND\0LOOP\0ELSE\0ENDIF\0";

enum Keyword {
  kDim = 1, kDef, kIf, kFor, kNext, kGoto, kEnd, kStop, kGosub, kReturn, kBeep, kErase,
  kLet, kDelay, kFree, kSet, kEvent, kRun, kRem, kBreak, kWrite, kOn, kTron, kTroff,
  kRedim, kContinue, kExit, kCommand, kLoop, kElse, kEndif,
};

const KeywordIndexTable& Keywords() {
  static const KeywordIndexTable index(kKeywords);
  return index;
}

const int kWordLength = 80;

// Statement words end at these; ';' does not end a word.
bool EndsWord(char c) {
  return c == 0 || c == '\n' || c == ' ' || c == ':' || c == '!' || c == '.' || c == '=';
}

// Reads the word at p into word (80 characters kept, the rest passed over).
// A text quoted inside the word's parentheses is the argument's: its ':',
// '.', '!', '=' and blanks end no word, so LOAD("C:\X.BAS") (as the loader
// leaves LOAD ("C:\X.BAS")) makes no label and MID(S,INSTR(S,"."),1)="!"
// no member statement. A quote outside parentheses is a word character.
const char* ReadWord(const char* p, char* word) {
  int n = 0;
  int depth = 0;
  bool quoted = false;
  bool argumentText = false;
  for (; *p && *p != '\n'; ++p) {
    char c = *p;
    if (c == '"') {
      quoted = !quoted;
      argumentText = quoted && depth > 0;
    } else if (!quoted && c == '(') {
      ++depth;
    } else if (!quoted && c == ')') {
      --depth;
    } else if (!argumentText && EndsWord(c)) {
      break;
    }
    if (n < kWordLength) word[n++] = c;
  }
  word[n] = 0;
  return p;
}

struct LabelSink {
  LabelTable* table;
};

int AddScannedLabel(void* context, const char* key, const char* position) {
  char name[kNameKeySize + 1];
  std::memcpy(name, key, kNameKeySize);
  name[kNameKeySize] = 0;
  return static_cast<LabelSink*>(context)->table->AddLabel(name, position);
}

}  // namespace

uint32_t Interpreter::Run(const char* start) {
  position_ = start;
  bool trace = false;
  uint32_t result = 1;
  for (;;) {
    position_ = SkipSeparators(position_);
    if (!*position_) break;
    if (!ifLevels_[ifDepth_]) {
      if (SkipBranch()) break;
      continue;
    }
    StatementEnd how = ExecStatement(trace, result);
    if (error_) break;
    if (how == kEndRun) return result;
    if (how == kSkipRest) position_ = ::StatementEnd(position_);
    if (trace && OnStop(position_)) return 0;
    if (runFlagWord_ & kRunStop) return 0;
  }
  if (error_) {
    OnError(position_);
    return 0;
  }
  return 1;
}

Interpreter::StatementEnd Interpreter::ExecStatement(bool& trace, uint32_t& result) {
  const char* wordStart = position_;
  char word[kWordLength + 1];
  const char* p = ReadWord(position_, word);
  char stop = *p;
  const char* behind = SkipBlanks(p);

  if (stop == ':') {
    labels_->AddLabel(word, p + 1);  // a name already there keeps its place
    position_ = p + 1;
    return kNoSkip;
  }
  if (*behind == '=') {
    position_ = behind + 1;
    ExecAssignment(wordStart, position_);
    return kSkipRest;
  }
  if (stop == '!') {
    // MODULE!EXPORT(arguments): the call is the operand at the word, its
    // result dropped.
    const char* q = p;
    while (*q != '(' && !IsStatementEnd(*q)) ++q;
    if (*q != '(') {
      Fail(kEvalErrorUnexpectedEnd);
      return kSkipRest;
    }
    position_ = wordStart;
    uint16_t base = Depth();
    if (EvaluateOperand(position_) == 0) DropTo(base);
    return kSkipRest;
  }
  if (stop == '.') {
    ExecMemberStatement(wordStart);
    return kSkipRest;
  }

  position_ = behind;
  int keyword = Keywords().Find(word);
  if (keyword == 0) {
    // The loader squeezes the blank out of "DELAY -5" and "LOAD (F)": a
    // statement word directly followed by '-' or '(' is still that word,
    // for the keywords here and for the host's statements alike.
    size_t cut = std::strcspn(word, "-(");
    if (word[cut] && cut > 0) {
      word[cut] = 0;
      position_ = wordStart + cut;
      keyword = Keywords().Find(word);
    }
  }
  if (keyword == 0) {
    if (ExecUnknownStatement(word) == 0) Fail(kRunErrorUnknownWord);
    return kSkipRest;
  }
  return ExecKeyword(keyword, trace, result);
}

int Interpreter::ExecMemberStatement(const char* word) {
  // object.member = expression, or object.member(arguments).
  const char* p = word;
  bool quoted = false;
  int depth = 0;
  for (; *p && *p != '\n' && (quoted || *p != ';'); ++p) {
    if (*p == '"') quoted = !quoted;
    if (quoted) continue;
    if (*p == '(') ++depth;
    if (*p == ')') --depth;
    if (*p == '=' && depth == 0) {
      position_ = p + 1;
      return ExecAssignment(word, position_);
    }
  }
  const char* dot = std::strchr(word, '.');
  const char* open = dot;
  while (*open != '(' && !IsStatementEnd(*open)) ++open;
  if (*open != '(') return Fail(kEvalErrorUnexpectedEnd);

  char name[kNameKeySize * 8 + 1];
  size_t n = static_cast<size_t>(dot - word);
  if (n > sizeof name - 1) n = sizeof name - 1;
  std::memcpy(name, word, n);
  name[n] = 0;
  VARIABLE* object = variables_->Find(name);
  if (!object || (object->type != VAL_OBJECT && object->type != VAL_DISPATCH))
    return Fail(kEvalErrorNoObject);
  position_ = word;
  uint16_t base = Depth();
  int failed = EvaluateOperand(position_);
  DropTo(base);  // the result, or what a failed call left
  return failed;
}

Interpreter::StatementEnd Interpreter::ExecKeyword(int keyword, bool& trace,
                                                   uint32_t& result) {
  switch (keyword) {
    case kDim: ExecDim(); break;
    case kIf: {
      StatementEnd how = kSkipRest;
      ExecIf(how);
      return how;
    }
    case kFor: ExecFor(); break;
    case kNext: ExecNext(true); break;
    case kGoto: ExecGoto(); break;
    case kEnd:
      if (ExecEnd(result)) return kSkipRest;
      return kEndRun;
    case kStop:
      if (OnStop(position_)) {
        result = 0;
        return kEndRun;
      }
      break;
    case kGosub: ExecGosub(); break;
    case kReturn:
      // Without a frame the statement is passed over.
      return ExecReturn() ? kNoSkip : kSkipRest;
    case kBeep: MessageBeep(0xFFFFFFFF); break;
    case kErase: ExecErase(); break;
    case kLet: ExecLet(); break;
    case kDelay: ExecDelay(); break;
    case kFree: ExecFree(); break;
    case kSet: ExecSet(); break;
    case kEvent: ExecEvent(position_, false); break;
    case kCommand: ExecEvent(position_, true); break;
    case kRun: RunFile(); break;
    case kRem: ExecRem(); break;
    case kBreak: runFlagWord_ |= kRunStop; break;
    case kOn: ExecOn(); break;
    case kTron: trace = true; break;
    case kTroff: trace = false; break;
    case kRedim: ExecRedim(); break;
    case kContinue: ExecNext(false); break;
    case kExit: ExecExit(); break;
    case kLoop: ExecLoop(); break;
    case kElse:
      ExecElse();
      return kNoSkip;
    case kEndif:
      ExecEndif();
      return kNoSkip;
    case kWrite: ExecWrite(); break;
    case kDef: ExecDef(); break;
    default:  // every keyword has its executor above
      break;
  }
  return kSkipRest;
}

// A false IF branch: passes over whole statements until the ELSE or ENDIF
// of this level. Block IFs met on the way are counted, so their own ELSE
// and ENDIF are passed over too; quoted text and REM text never match.
int Interpreter::SkipBranch() {
  int nested = 0;
  const char* p = position_;
  for (;;) {
    p = SkipSeparators(p);
    if (!*p) {
      position_ = p;
      return Fail(kRunErrorIfWithoutEndif);
    }
    char word[kWordLength + 1];
    const char* q = ReadWord(p, word);
    if (*q == ':') {  // a label in front of the statement
      p = q + 1;
      continue;
    }
    int keyword = Keywords().Find(word);
    const char* behind = SkipBlanks(q);
    if (*behind == '=') keyword = 0;  // an assignment to a variable named so
    if (keyword == kIf) {
      // A block IF: THEN ends its line.
      const char* tail = LineEnd(q);
      const char* t = tail;
      while (t > q && t[-1] == ' ') --t;
      if (t - q >= 5 && std::strncmp(t - 4, "THEN", 4) == 0 && (t[-5] == ' ' || t[-5] == ')'))
        ++nested;
      p = tail;
      continue;
    }
    if (keyword == kRem) {
      position_ = behind;
      if (ExecRem()) return 1;
      p = position_;
      p = ::StatementEnd(p);
      continue;
    }
    if (keyword == kElse && nested == 0) {
      position_ = behind;
      return ExecElse();
    }
    if (keyword == kEndif) {
      if (nested == 0) {
        position_ = behind;
        return ExecEndif();
      }
      --nested;
    }
    p = ::StatementEnd(q);
  }
}

int Interpreter::ScanLabels(const char* text) {
  LabelSink sink{labels_};
  const char* failedAt = nullptr;
  if (ScanScriptLabels(text, AddScannedLabel, &sink, &failedAt) == 0) return 1;
  Fail(kRunErrorDuplicateLabel);
  OnError(failedAt);
  return 0;
}

HWND Interpreter::GetWindowHandle() {
  VARIABLE* v = variables_->Find("HWND");
  return v && v->type == VAL_LONG ? reinterpret_cast<HWND>(static_cast<intptr_t>(v->lng))
                                  : nullptr;
}
