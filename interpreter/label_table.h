// Labels (name -> text position) and event bindings (event code -> label
// position or an owned copy of a command text) of one interpreter.
#pragma once
#include <cstdint>

#include "name_key.h"

struct LabelEntry {
  char name[kNameKeySize];
  const char* position;  // the character behind the label's ':'
  LabelEntry* next;
};

struct EventBinding {
  uint32_t code;
  uint32_t ownsText;     // 1: position is a heap copy of a command text
  const char* position;  // label position, or the owned text
  EventBinding* next;
};

class LabelTable {
 public:
  LabelTable() = default;
  ~LabelTable();
  LabelTable(const LabelTable&) = delete;
  LabelTable& operator=(const LabelTable&) = delete;

  // Position of the label, or null. The name ends like a label key.
  const char* FindLabel(const char* name) const;
  // 0 when the name exists already or no memory; else 1.
  int AddLabel(const char* name, const char* position);
  // Never removes the first entry (BEGIN).
  void RemoveLabel(const char* name);
  // Removes every entry after the first whose name begins with '@'.
  void DropAtLabels();

  // Codes are matched by their low 16 bits. A second binding of a code is
  // appended behind the first; lookups and unbinding take the first.
  // 0 when the label is missing or no memory.
  int BindEvent(uint32_t code, const char* labelName);
  // The text is copied and owned by the binding; 0 on no memory.
  int BindCommand(uint32_t code, const char* text);
  void UnbindEvent(uint32_t code);
  // A label binding in front of the code's others, so that it is the one
  // found while it lasts; UnbindEventAt takes it away again (the first label
  // binding of the code at that position; 0 when there is none).
  int BindEventFirst(uint32_t code, const char* labelName);
  int UnbindEventAt(uint32_t code, const char* position);
  // Label position or command text of the first binding, null when none;
  // ownsText (when given) tells which.
  const char* FindBinding(uint32_t code, bool* ownsText = nullptr) const;
  void ClearBindings();

 private:
  EventBinding* NewBinding(uint32_t code, uint32_t ownsText, const char* position);
  int AppendBinding(uint32_t code, uint32_t ownsText, const char* position);

  LabelEntry* labels_ = nullptr;
  EventBinding* bindings_ = nullptr;
};
