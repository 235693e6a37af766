#include "script_scanner.h"

#include <cstring>

#include "chain_splice.h"
#include "include_stack.h"
#include "loader_errors.h"

namespace {

// A blank next to one of these is dropped (outside quotes).
bool InSqueezeSet(char c) { return c != '\0' && std::strchr(",()=*/+-<>:&", c) != nullptr; }

// Reads and writes the same block: the write position never passes the read
// position, so the text is rewritten in place.
class Scanner {
 public:
  Scanner(HGLOBAL* block, DWORD length, const char* mainPath)
      : block_(block), length_(length), mainPath_(mainPath ? mainPath : "") {}

  unsigned short Run(DWORD* line);

 private:
  bool Lock() { return (text_ = static_cast<char*>(GlobalLock(*block_))) != nullptr; }
  void Unlock() {
    GlobalUnlock(*block_);
    text_ = nullptr;
  }
  void Put(char c) {
    text_[write_++] = c;
    last_ = c;
  }
  void Verbatim(char c);
  void Ordinary(char c);
  // Handles the line end at the read position; returns a message number, or
  // 0 to go on (done_ is set at the end of the text).
  unsigned short LineEnd();
  unsigned short Splice();
  void NextLine(bool joined);
  bool LineIs(const char* start, DWORD n) const {
    return write_ - lineStart_ == n && _strnicmp(text_ + lineStart_, start, n) == 0;
  }

  HGLOBAL* block_;
  DWORD length_;
  const char* mainPath_;
  char* text_ = nullptr;
  DWORD read_ = 0, write_ = 0;
  DWORD lineStart_ = 0;  // start of the current line in the written text
  DWORD line_ = 1;
  char last_ = '\n';     // the last written character, as the squeeze rules see it
  bool inQuotes_ = false, inComment_ = false;
  bool verbatim_ = false, verbatimNext_ = false;
  long depth_ = 0;       // parenthesis depth of the current line
  bool done_ = false;
  IncludeStack includes_;
};

unsigned short Scanner::Run(DWORD* line) {
  if (!Lock()) return kLoadErrorNoMemory;
  unsigned short error = 0;
  while (!done_ && !error) {
    bool atEnd = read_ >= length_;
    char c = atEnd ? '\0' : text_[read_];
    if (verbatim_) {
      if (atEnd)
        done_ = true;  // an open verbatim block simply runs to the end
      else
        Verbatim(c);
    } else if (atEnd || c == '\n') {
      error = LineEnd();
    } else {
      Ordinary(c);
    }
  }
  if (text_) {
    if (!error) text_[write_] = '\0';
    Unlock();
  }
  *line = line_;
  if (error) return error;
  // Shrinking cannot lose text; a refused shrink keeps the larger block.
  if (HGLOBAL smaller = GlobalReAlloc(*block_, write_ + 1, GMEM_MOVEABLE)) *block_ = smaller;
  return 0;
}

void Scanner::Verbatim(char c) {
  ++read_;
  if (c == '\r' || c == '\0') return;
  if (c == '\'' && read_ < length_ && text_[read_] == '\'') {
    // The closing mark: the rest of this line is a comment.
    ++read_;
    verbatim_ = false;
    inComment_ = true;
    inQuotes_ = false;
    depth_ = 0;
    return;
  }
  Put(c);
  if (c == '\n') {
    ++line_;
    lineStart_ = write_;
    includes_.PopFinished(read_ - 1);
  }
}

void Scanner::Ordinary(char c) {
  ++read_;
  if (inComment_ || static_cast<unsigned char>(c) < 32) return;  // CR, tabs, other controls
  if (inQuotes_) {
    if (c == '"') inQuotes_ = false;
    Put(c);
    return;
  }
  switch (c) {
    case '"':
      inQuotes_ = true;
      Put(c);
      return;
    case '\'':
      inComment_ = true;
      if (read_ < length_ && text_[read_] == '\'') {
        ++read_;
        verbatimNext_ = true;
      }
      return;
    case ' ':
      if (last_ != ' ' && last_ != '\n' && !InSqueezeSet(last_)) Put(c);
      return;
    case '(':
      ++depth_;
      break;
    case ')':
      --depth_;
      break;
    default:
      break;
  }
  if (InSqueezeSet(c) && last_ == ' ' && !(c == '(' && LineIs("IF ", 3))) --write_;
  Put(c);
}

unsigned short Scanner::LineEnd() {
  bool atEnd = read_ >= length_;
  inComment_ = false;
  if (inQuotes_) return kLoadErrorQuotes;
  if (depth_ != 0) return kLoadErrorParentheses;
  if (write_ - lineStart_ >= 7 && _strnicmp(text_ + lineStart_, "CHAIN \"", 7) == 0) return Splice();
  if (atEnd) {
    if (write_ - lineStart_ < 2) write_ = lineStart_;
    done_ = true;
    return 0;
  }
  ++line_;
  ++read_;
  if (write_ > lineStart_ && text_[write_ - 1] == '_') {
    --write_;
    last_ = '_';  // the joined line goes on as if the '_' were still there
    NextLine(true);
    return 0;
  }
  if (write_ - lineStart_ < 2)
    write_ = lineStart_;
  else
    Put('\n');
  last_ = '\n';
  lineStart_ = write_;
  NextLine(false);
  return 0;
}

void Scanner::NextLine(bool joined) {
  includes_.PopFinished(read_ - 1);
  if (!joined && verbatimNext_) {
    verbatimNext_ = false;
    verbatim_ = true;
  }
}

unsigned short Scanner::Splice() {
  ChainLine chain{lineStart_, write_, read_};
  Unlock();
  unsigned short error = SpliceChainFile(block_, &length_, mainPath_, chain, &includes_);
  if (error) return error;
  if (!Lock()) return kLoadErrorNoMemory;
  // The included text is scanned like the rest, from a fresh line start;
  // whatever followed the file name (a '' too) went with the CHAIN line.
  read_ = write_ = lineStart_;
  last_ = '\n';
  verbatimNext_ = false;
  return 0;
}

}  // namespace

unsigned short PreprocessScript(HGLOBAL* block, DWORD length, const char* mainPath, DWORD* line) {
  Scanner scanner(block, length, mainPath);
  return scanner.Run(line);
}
