#include "text_watch.h"

#include <atomic>

#include "text_helpers.h"

namespace {

// A few notes, so that a script growing several texts in one loop (a
// report and its SQL text) keeps all of them. Notes are made and read
// under a spin lock, and dropped without it: a record's own operations
// only ever clear the note that names that record.
struct Note {
  std::atomic<const VARIABLE*> variable{nullptr};
  const char* text = nullptr;
  size_t length = 0;
};

const int kNotes = 4;
Note notes[kNotes];
int nextVictim = 0;
std::atomic_flag busy = ATOMIC_FLAG_INIT;

class NotesLock {
 public:
  NotesLock() {
    while (busy.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~NotesLock() { busy.clear(std::memory_order_release); }
  NotesLock(const NotesLock&) = delete;
  NotesLock& operator=(const NotesLock&) = delete;
};

}  // namespace

std::atomic<bool> textLengthsNoted{false};

void NoteTextLength(const VARIABLE& v, size_t length) {
  NotesLock lock;
  Note* note = nullptr;
  for (Note& n : notes) {
    const VARIABLE* holder = n.variable.load(std::memory_order_relaxed);
    if (holder == &v) {
      note = &n;
      break;
    }
    if (!holder && !note) note = &n;
  }
  if (!note) {
    note = &notes[nextVictim];
    nextVictim = (nextVictim + 1) % kNotes;
  }
  note->variable.store(nullptr, std::memory_order_relaxed);
  note->text = v.text;
  note->length = length;
  note->variable.store(&v, std::memory_order_release);
  textLengthsNoted.store(true, std::memory_order_release);
}

size_t KnownTextLength(const VARIABLE& v) {
  if (v.type != VAL_STRING) return 0;
  if (textLengthsNoted.load(std::memory_order_acquire)) {
    NotesLock lock;
    for (Note& n : notes)
      if (n.variable.load(std::memory_order_acquire) == &v && n.text == v.text) return n.length;
  }
  return TextLength(v.text);
}

void ForgetNotedTextLength(const VARIABLE* v) {
  for (Note& n : notes) {
    const VARIABLE* expected = v;
    if (n.variable.load(std::memory_order_relaxed) == v)
      n.variable.compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel);
  }
}

void ForgetTextLengths() {
  NotesLock lock;
  for (Note& n : notes) n.variable.store(nullptr, std::memory_order_release);
  textLengthsNoted.store(false, std::memory_order_release);
}
