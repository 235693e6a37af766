// The files whose text is being scanned, innermost last: the guard that
// stops a file from including itself directly or through a cycle.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Identity of an opened script file: its volume and file index, and its full
// name for file systems that give no index.
struct ScriptFileId {
  bool hasIndex = false;
  DWORD volume = 0, indexHigh = 0, indexLow = 0;
  std::string fullName;  // upper case

  static ScriptFileId Of(HANDLE file, const char* name);
  bool SameFile(const ScriptFileId& other) const;
};

class IncludeStack {
 public:
  bool Contains(const ScriptFileId& id) const;
  // The spliced text of id runs up to end (exclusive), where the line end of
  // its CHAIN line now stands.
  void Push(const ScriptFileId& id, DWORD end);
  // A splice replaced the text in front of from: every end at or behind it
  // moves with the text that followed.
  void Shift(DWORD from, long long delta);
  // Called after the line end at position has been consumed: the files whose
  // text ended there are finished.
  void PopFinished(DWORD position);
  size_t Depth() const { return entries_.size(); }

 private:
  struct Entry {
    ScriptFileId id;
    DWORD end;
  };
  std::vector<Entry> entries_;
};
