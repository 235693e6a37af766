#include "label_table.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

bool SameCode(uint32_t a, uint32_t b) { return (a & 0xFFFF) == (b & 0xFFFF); }

void FreeBinding(EventBinding* b) {
  if (b->ownsText) std::free(const_cast<char*>(b->position));
  delete b;
}

}  // namespace

LabelTable::~LabelTable() {
  ClearBindings();
  while (labels_) {
    LabelEntry* next = labels_->next;
    delete labels_;
    labels_ = next;
  }
}

const char* LabelTable::FindLabel(const char* name) const {
  char key[kNameKeySize];
  MakeLabelKey(key, name);
  for (const LabelEntry* e = labels_; e; e = e->next)
    if (SameKey(e->name, key)) return e->position;
  return nullptr;
}

int LabelTable::AddLabel(const char* name, const char* position) {
  char key[kNameKeySize];
  MakeLabelKey(key, name);
  LabelEntry** tail = &labels_;
  for (; *tail; tail = &(*tail)->next)
    if (SameKey((*tail)->name, key)) return 0;
  LabelEntry* e = new (std::nothrow) LabelEntry;
  if (!e) return 0;
  std::memcpy(e->name, key, kNameKeySize);
  e->position = position;
  e->next = nullptr;
  *tail = e;
  return 1;
}

void LabelTable::RemoveLabel(const char* name) {
  if (!labels_) return;
  char key[kNameKeySize];
  MakeLabelKey(key, name);
  for (LabelEntry** link = &labels_->next; *link; link = &(*link)->next) {
    if (SameKey((*link)->name, key)) {
      LabelEntry* gone = *link;
      *link = gone->next;
      delete gone;
      return;
    }
  }
}

void LabelTable::DropAtLabels() {
  if (!labels_) return;
  LabelEntry** link = &labels_->next;
  while (*link) {
    if ((*link)->name[0] == '@') {
      LabelEntry* gone = *link;
      *link = gone->next;
      delete gone;
    } else {
      link = &(*link)->next;
    }
  }
}

EventBinding* LabelTable::NewBinding(uint32_t code, uint32_t ownsText, const char* position) {
  EventBinding* b = new (std::nothrow) EventBinding;
  if (!b) return nullptr;
  b->code = code;
  b->ownsText = ownsText;
  b->position = position;
  b->next = nullptr;
  return b;
}

int LabelTable::AppendBinding(uint32_t code, uint32_t ownsText, const char* position) {
  EventBinding* b = NewBinding(code, ownsText, position);
  if (!b) return 0;
  EventBinding** tail = &bindings_;
  while (*tail) tail = &(*tail)->next;
  *tail = b;
  return 1;
}

int LabelTable::BindEvent(uint32_t code, const char* labelName) {
  const char* position = FindLabel(labelName);
  if (!position) return 0;
  return AppendBinding(code, 0, position);
}

int LabelTable::BindCommand(uint32_t code, const char* text) {
  size_t n = text ? std::strlen(text) : 0;
  char* copy = static_cast<char*>(std::malloc(n + 1));
  if (!copy) return 0;
  if (n) std::memcpy(copy, text, n);
  copy[n] = 0;
  if (AppendBinding(code, 1, copy)) return 1;
  std::free(copy);
  return 0;
}

void LabelTable::UnbindEvent(uint32_t code) {
  for (EventBinding** link = &bindings_; *link; link = &(*link)->next) {
    if (SameCode((*link)->code, code)) {
      EventBinding* gone = *link;
      *link = gone->next;
      FreeBinding(gone);
      return;
    }
  }
}

int LabelTable::BindEventFirst(uint32_t code, const char* labelName) {
  const char* position = FindLabel(labelName);
  if (!position) return 0;
  EventBinding* b = NewBinding(code, 0, position);
  if (!b) return 0;
  b->next = bindings_;
  bindings_ = b;
  return 1;
}

int LabelTable::UnbindEventAt(uint32_t code, const char* position) {
  for (EventBinding** link = &bindings_; *link; link = &(*link)->next) {
    EventBinding* b = *link;
    if (SameCode(b->code, code) && !b->ownsText && b->position == position) {
      *link = b->next;
      FreeBinding(b);
      return 1;
    }
  }
  return 0;
}

const char* LabelTable::FindBinding(uint32_t code, bool* ownsText) const {
  for (const EventBinding* b = bindings_; b; b = b->next) {
    if (!SameCode(b->code, code)) continue;
    if (ownsText) *ownsText = b->ownsText != 0;
    return b->position;
  }
  return nullptr;
}

void LabelTable::ClearBindings() {
  while (bindings_) {
    EventBinding* next = bindings_->next;
    FreeBinding(bindings_);
    bindings_ = next;
  }
}
