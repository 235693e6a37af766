// Test helper: a second process using a table through Quelt.dll.
//   quelt_holder <table> lock <ready event> <release event>
//     takes the header lock, signals ready, holds it until release (60 s);
//   quelt_holder <table> append <my turn event> <your turn event> <count> <base>
//     appends count records in turn with the test, field A = base + i.
// Exit code 0, or the step that failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "quelt_api.h"

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  Table* table = QUELT_Open(argv[1], nullptr);
  if (!table) return 3;
  HANDLE first = OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, argv[3]);
  HANDLE second = OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, argv[4]);
  if (!first || !second) return 4;
  int code = 0;
  if (std::strcmp(argv[2], "lock") == 0) {
    if (!QUELT_Lock(table, TRUE)) return 5;
    SetEvent(first);
    WaitForSingleObject(second, 60000);
    QUELT_Lock(table, FALSE);
  } else if (argc == 7) {
    const int count = std::atoi(argv[5]), base = std::atoi(argv[6]);
    for (int i = 1; i <= count && code == 0; ++i) {
      if (WaitForSingleObject(first, 30000) != WAIT_OBJECT_0) code = 6;
      char record[256];
      QUELT_NewRec(table, record);
      char digits[8];
      std::snprintf(digits, sizeof digits, "%5d", base + i);
      std::memcpy(record + 1, digits, 5);
      if (code == 0 && !QUELT_Append(table, record)) code = 7;
      SetEvent(second);
    }
  }
  QUELT_Close(table, nullptr);
  return code;
}
