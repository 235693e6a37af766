#include "bounded_text.h"
#include "library_frame.h"
#include "wennic.h"

namespace {

// Numbers up to this one are table texts; above it the operating system's.
constexpr int kLastTableError = 240;

int TableText(int number, char* buffer, int size) {
  buffer[0] = 0;
  int length = LoadStringA(hInst, number, buffer, size);
  return length > 0 ? length : 0;
}

// The system's text of an error, without the line end it adds; the number in
// decimal when the system has no text for it.
int SystemText(int number, char* buffer, int size) {
  BoundedText text(buffer, size);
  char* message = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(number), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
      reinterpret_cast<char*>(&message), 0, nullptr);
  if (length == 0 || !message) {
    char digits[12];
    text.Append(_itoa(number, digits, 10));
  } else {
    while (length > 0 && (message[length - 1] == '\r' || message[length - 1] == '\n')) --length;
    text.Append(message, static_cast<int>(length));
  }
  if (message) LocalFree(message);
  return text.Length();
}

}  // namespace

int WINAPI ERRTXT(int number, char* buffer, int size) {
  if (!buffer || size < 1) return 0;
  if (number == 0) {
    buffer[0] = 0;
    return 0;
  }
  if (number > kLastTableError) return SystemText(number, buffer, size);
  return TableText(number, buffer, size);
}

int WINAPI MSGTXT(int number, char* buffer, int size) {
  if (!buffer || size < 1) return 0;
  return TableText(number, buffer, size);
}
