#include "window_buffer.h"

#include <cstring>
#include <new>
#include <string>

#include "evaluator_base.h"
#include "file_object.h"
#include "wennic.h"

namespace {

const char kBufferProperty[] = "BUFFER";
const uint32_t kFirstSize = 512;
const uint32_t kGrowth = 512;
const uint64_t kLargestBlock = 0xFFFFFFF0u;
const UINT kBlockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE;
const int kClipboardError = 148;

WindowBuffer* FindRecord(HWND window) {
  return window ? static_cast<WindowBuffer*>(GetPropA(window, kBufferProperty)) : nullptr;
}

// The block has gone (to the clipboard, or written out): the buffer is empty.
void Forget(HWND window, WindowBuffer* record) {
  RemovePropA(window, kBufferProperty);
  delete record;
}

int WriteOut(HWND window, const char* name, int replace, bool oem) {
  WindowBuffer* record = FindRecord(window);
  if (!record || !record->text || !name) return 0;
  FileObject file;
  if (replace || !file.Open(name, kFileWrite)) {
    if (!file.Create(name)) return 0;
  } else if (file.SeekEnd() == 0 && file.GetError()) {
    return 0;
  }
  char* text = static_cast<char*>(GlobalLock(record->text));
  if (!text) return 0;
  int written;
  if (oem) {
    // Converted in a copy, so that a failed write leaves the text as it was.
    std::string converted(text, record->length);
    CharToOemBuffA(text, &converted[0], record->length);
    written = file.Write(converted.data(), record->length);
  } else {
    written = file.Write(text, record->length);
  }
  GlobalUnlock(record->text);
  if (!written) return 0;  // a full disk: the text stays for another try
  GlobalFree(record->text);
  Forget(window, record);
  return 1;
}

}  // namespace

bool WindowBuffer::Reserve(uint32_t count, uint32_t& error) {
  // Sizes past 32 bits cannot be had: refused rather than wrapped.
  uint64_t wanted = uint64_t{length} + count + 3;
  if (wanted > kLargestBlock) {
    error = kEvalErrorNoMemory;
    return false;
  }
  uint32_t needed = static_cast<uint32_t>(wanted);
  if (!text) {
    text = GlobalAlloc(kBlockFlags, needed > kFirstSize ? needed : kFirstSize);
  } else if (GlobalSize(text) < needed) {
    uint32_t size = static_cast<uint32_t>(GlobalSize(text));
    uint64_t grownSize = uint64_t{size} + (count + 3 > kGrowth ? count + 3 : kGrowth);
    size = grownSize > kLargestBlock ? needed : static_cast<uint32_t>(grownSize);
    HGLOBAL grown = GlobalReAlloc(text, size, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown) {
      error = kEvalErrorNoMemory;
      return false;
    }
    text = grown;
  }
  if (!text) error = kEvalErrorNoMemory;
  return text != nullptr;
}

int WindowBuffer::Append(const char* item, uint32_t& error) {
  if (!item) return 0;
  size_t n = std::strlen(item);
  if (n > kLargestBlock) {
    error = kEvalErrorNoMemory;
    return 0;
  }
  bool lineEnd = n == 2 && item[0] == '\r' && item[1] == '\n';
  uint32_t count = static_cast<uint32_t>(n) + (lineEnd || atLineStart ? 0 : 1);
  if (!Reserve(lineEnd ? 2 : static_cast<uint32_t>(n), error)) return 0;
  char* block = static_cast<char*>(GlobalLock(text));
  if (!block) {
    error = kEvalErrorNoMemory;
    return 0;
  }
  char* end = block + length;
  if (!lineEnd && !atLineStart) *end++ = '\t';
  std::memcpy(end, item, n + 1);
  GlobalUnlock(text);
  length += count;
  atLineStart = lineEnd ? 1 : 0;
  return static_cast<int>(count);
}

int AppendWindowBuffer(HWND window, const char* text, uint32_t& error) {
  WindowBuffer* record = FindRecord(window);
  if (!record) {
    record = new (std::nothrow) WindowBuffer;
    if (!record || !window || !SetPropA(window, kBufferProperty, record)) {
      delete record;
      error = kEvalErrorNoMemory;
      return 0;
    }
  }
  return record->Append(text, error);
}

HGLOBAL GetWindowBuffer(HWND window) {
  WindowBuffer* record = FindRecord(window);
  return record ? record->text : nullptr;
}

int CopyWindowBufferToClipboard(HWND window) {
  WindowBuffer* record = FindRecord(window);
  if (!record || !record->text) return 0;
  bool given = false;
  if (OpenClipboard(window)) {
    given = EmptyClipboard() && SetClipboardData(CF_TEXT, record->text);
    CloseClipboard();
  }
  if (!given) {
    ERRBOX(window, kClipboardError, 0, nullptr);
    return 0;
  }
  Forget(window, record);
  return 1;
}

int FreeWindowBuffer(HWND window) {
  WindowBuffer* record = FindRecord(window);
  if (!record) return 0;
  if (record->text) GlobalFree(record->text);
  Forget(window, record);
  return 1;
}

int BufferToFile(HWND window, const char* name, int replace) {
  return WriteOut(window, name, replace, false);
}

int BufferToDosFile(HWND window, const char* name, int replace) {
  return WriteOut(window, name, replace, true);
}
