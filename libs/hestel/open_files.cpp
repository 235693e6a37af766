#include "open_files.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "critical_section.h"

namespace hestel {

namespace {

// Guards the list; made at first use, so that the library's static part
// serves before any start routine has run.
CriticalSection& RegistryLock() {
  static CriticalSection lock;
  return lock;
}

class Guard : public Held {
 public:
  Guard() : Held(RegistryLock()) {}
};

FILE* first;
std::atomic<uint32_t> errorWord;

// Linear search; the caller holds the lock.
FILE* GetFile(HANDLE file) {
  for (FILE* f = first; f; f = f->next)
    if (f->handle == file) return f;
  return nullptr;
}

// Unlinks the handle's entry; the caller holds the lock.
FILE* Unlink(HANDLE file) {
  for (FILE** link = &first; *link; link = &(*link)->next) {
    FILE* f = *link;
    if (f->handle == file) {
      *link = f->next;
      f->next = nullptr;
      return f;
    }
  }
  return nullptr;
}

bool Identify(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
  return GetFileInformationByHandle(file, info) != 0;
}

}  // namespace

FILE::FILE(HANDLE file)
    : handle(file), name(nullptr), next(nullptr), error(0), mode(0), state(0),
      seekable(GetFileType(file) == FILE_TYPE_DISK), identified(false),
      volume(0), indexHigh(0), indexLow(0) {
  BY_HANDLE_FILE_INFORMATION info;
  if (Identify(file, &info)) {
    identified = true;
    volume = info.dwVolumeSerialNumber;
    indexHigh = info.nFileIndexHigh;
    indexLow = info.nFileIndexLow;
  }
}

FILE::~FILE() {
  if (handle && NamesSameFile()) CloseHandle(handle);
  if ((state & kDeleteOnClose) && name) DeleteFileA(name);
  std::free(name);
}

bool FILE::NamesSameFile() const {
  if (!identified) return true;  // nothing to compare: the handle is ours
  BY_HANDLE_FILE_INFORMATION info;
  return Identify(handle, &info) && info.dwVolumeSerialNumber == volume &&
         info.nFileIndexHigh == indexHigh && info.nFileIndexLow == indexLow;
}

void FILE::SetName(const char* fileName) {
  std::free(name);
  name = fileName ? _strdup(fileName) : nullptr;
}

bool AddFile(HANDLE file, const char* name, uint8_t mode, uint8_t state) {
  FILE* entry = new (std::nothrow) FILE(file);
  if (entry) {
    entry->SetName(name);
    entry->mode = mode;
    entry->state = state;
  }
  FILE* stale;
  {
    Guard guard;
    stale = Unlink(file);
    if (entry) {
      FILE** link = &first;
      while (*link) link = &(*link)->next;
      *link = entry;
    }
  }
  if (stale) {
    stale->Disown();
    delete stale;
  }
  return entry != nullptr;
}

bool KillFile(HANDLE file) {
  FILE* entry;
  {
    Guard guard;
    entry = Unlink(file);
  }
  delete entry;
  return entry != nullptr;
}

void KillAll() {
  FILE* list;
  {
    Guard guard;
    list = first;
    first = nullptr;
  }
  while (list) {
    FILE* next = list->next;
    delete list;
    list = next;
  }
}

bool ViewFile(HANDLE file, FileView* view) {
  Guard guard;
  FILE* f = GetFile(file);
  if (!f) return false;
  view->mode = f->mode;
  view->state = f->state;
  view->seekable = f->seekable;
  return true;
}

bool HasFile(HANDLE file) {
  Guard guard;
  return GetFile(file) != nullptr;
}

bool FileError(HANDLE file, uint16_t* error) {
  Guard guard;
  FILE* f = GetFile(file);
  if (!f) return false;
  *error = f->error;
  return true;
}

void StoreFileError(HANDLE file, uint32_t error) {
  Guard guard;
  if (FILE* f = GetFile(file)) f->error = static_cast<uint16_t>(error);
}

void MarkFileEnd(HANDLE file) {
  Guard guard;
  if (FILE* f = GetFile(file)) f->state |= kEndSeen;
}

bool FileName(HANDLE file, std::string* name) {
  Guard guard;
  FILE* f = GetFile(file);
  if (!f || !f->name) return false;
  try {
    name->assign(f->name);
  } catch (...) {
    return false;
  }
  return true;
}

uint32_t ErrorWord() { return errorWord.load(); }
void SetErrorWord(uint32_t error) { errorWord.store(error); }

}  // namespace hestel
