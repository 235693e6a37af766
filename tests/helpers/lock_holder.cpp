// Test helper: holds a byte-range lock of a file from another process.
// lock_holder <file> <offset> <length> <ready event> <release event>
// Locks the range, signals the ready event, waits for the release event
// (at most 60 s) and exits. Exit code 0, or 1 when the lock failed.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 6) return 2;
  HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD offset = std::strtoul(argv[2], nullptr, 10);
  DWORD length = std::strtoul(argv[3], nullptr, 10);
  if (!LockFile(file, offset, 0, length, 0)) return 1;
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[4]);
  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[5]);
  if (!ready || !release) return 1;
  SetEvent(ready);
  WaitForSingleObject(release, 60000);
  UnlockFile(file, offset, 0, length, 0);
  CloseHandle(file);
  return 0;
}
