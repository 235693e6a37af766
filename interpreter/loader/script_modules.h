// The process-wide list of script modules: texts loaded once by LOAD,
// shared by every script that loads the same file name, with a reference
// count. The list is guarded by a lock (script threads and the GUI thread
// load and unload).
#pragma once
#include <windows.h>

struct ScriptModule {
  char name[8];          // file name up to 8 characters, blank padded
  unsigned short count;  // LOADs not yet matched by an UNLOAD
  HGLOBAL text;          // preprocessed text, locked while the record lives
  const char* start;     // the locked text
  ScriptModule* next;
};

// The key: the file name part, up to 8 characters, ending at the first '.'
// or control character or blank, padded with blanks.
void SetModuleName(char key[8], const char* path);

ScriptModule* FindScriptModule(const char* path);
// A known key only counts up (the handle is not used, the caller keeps it);
// otherwise a new record takes the handle. Null when there is no memory.
ScriptModule* AddScriptModule(const char* path, HGLOBAL text);
// 1 when found: counts down, and at 0 frees the text and the record.
int ReleaseScriptModule(const char* path);
ScriptModule* FindScriptModuleByText(const char* position);
