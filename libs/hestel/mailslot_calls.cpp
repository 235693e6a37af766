#include "mailslot_calls.h"

#include <cstring>

#include "open_files.h"
#include "path_calls.h"
#include "text_results.h"

namespace hestel {

namespace {

HANDLE Opened(HANDLE handle) {
  if (handle != INVALID_HANDLE_VALUE) return handle;
  SetErrorWord(GetLastError());
  return nullptr;
}

bool NameRefused(const char* name) {
  if (UsableName(name)) return false;
  SetErrorWord(name ? ERROR_FILENAME_EXCED_RANGE : ERROR_INVALID_PARAMETER);
  return true;
}

}  // namespace

HANDLE CreateSlot(const char* name) {
  SetErrorWord(0);
  if (NameRefused(name)) return nullptr;
  return Opened(CreateMailslotA(name, 0, MAILSLOT_WAIT_FOREVER, nullptr));
}

HANDLE OpenSlot(const char* name) {
  SetErrorWord(0);
  if (NameRefused(name)) return nullptr;
  return Opened(CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

LONG WaitingMessages(HANDLE slot) {
  SetErrorWord(0);
  DWORD next = 0, count = 0;
  if (GetMailslotInfo(slot, nullptr, &next, &count, nullptr)) return static_cast<LONG>(count);
  SetErrorWord(GetLastError());
  return 0;
}

VARIABLE* NextMessage(HANDLE slot) {
  SetErrorWord(0);
  DWORD size = 0, count = 0;
  if (!GetMailslotInfo(slot, nullptr, &size, &count, nullptr)) {
    SetErrorWord(GetLastError());
    return nullptr;
  }
  // Only the count tells that a message waits: after a message of no bytes
  // the size is 0 with none counted, and a read would wait for ever.
  if (count == 0 || size == MAILSLOT_NO_MESSAGE) return nullptr;
  VARIABLE* message = NewText(nullptr, 0);
  if (!message || !message->Allocate(size + 1)) return message;
  DWORD got = 0;
  if (!ReadFile(slot, message->text, size + 1, &got, nullptr)) {
    SetErrorWord(GetLastError());
    delete message;
    return nullptr;
  }
  // A sender other than MS_WrMsg may send no terminating zero.
  message->text[got < size + 1 ? got : size] = '\0';
  return message;
}

LONG SendMessageText(HANDLE slot, const char* text) {
  SetErrorWord(0);
  if (!text) {
    SetErrorWord(ERROR_INVALID_PARAMETER);
    return 0;
  }
  DWORD length = static_cast<DWORD>(std::strlen(text)) + 1;
  DWORD written = 0;
  if (WriteFile(slot, text, length, &written, nullptr)) return static_cast<LONG>(written);
  SetErrorWord(GetLastError());
  return 0;
}

}  // namespace hestel
