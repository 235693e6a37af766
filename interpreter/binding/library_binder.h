// The extension-library binder: the process-wide list of loaded libraries
// (modules) and the exports their declaration strings bind.
//
// A declaration string reads MODULE!EXPORT(TYPE<label>,...)RESULT<label>;
// blanks and control characters are ignored, only the first letter of a
// type word counts and the <label> parts are free text. The list is shared
// by every script thread and the GUI thread and guarded by one lock; records
// live until FreeExtensionModules, so a module's name may be kept by OBJECT
// values.
#pragma once
#include <windows.h>

#include <cstdint>

// Message numbers of the binder.
enum : uint32_t {
  kBindErrorSyntax = 112,        // no '!', '(' or ')'
  kBindErrorNoMemory = 115,
  kBindErrorBadArgument = 116,   // an argument its declared type does not take
  kBindErrorModule = 120,        // call of a module that is not loaded
  kBindErrorFunction = 121,      // undeclared export, or one the library lacks
  kBindErrorArgumentCount = 122,
  kBindErrorType = 132,          // unknown type letter, too many parameters, REAL result
  kBindErrorLoad = 141,          // the library cannot be loaded or gives no handle
  kBindErrorNoObject = 153,      // member call on an OBJECT with handle 0
};

const int kModuleNameSize = 12;  // 11 characters and the NUL
const int kMaxParameters = 14;
const int kMaxDeclarationStrings = 99;

struct ExtensionFunction {
  char* name;  // heap copy of the export name
  unsigned char argTypes[kMaxParameters];
  unsigned char argCount;
  unsigned char resultType;
  HMODULE module;
  FARPROC address;
  ExtensionFunction* next;
};

struct ExtensionModule {
  char name[kModuleNameSize];  // as loaded; compared with case
  HMODULE library;
  ExtensionModule* next;
  ExtensionFunction* functions;
};

// A bound export as a caller uses it: a copy taken under the lock.
struct BoundFunction {
  FARPROC address;
  HMODULE module;
  unsigned char argTypes[kMaxParameters];
  unsigned char argCount;
  unsigned char resultType;
};

// Loads the library of that name (or returns the record already loaded
// under it), calls its export "<name>_HANDLE" and binds the declaration
// strings 1 to 99 of the instance that returns. Null with the error on
// failure (141 for a name that does not fit the record, a library that
// does not load or gives no handle; a declaration's own error); the failed
// record is dropped and its library released.
ExtensionModule* LoadExtensionModule(const char* name, uint32_t& error);

// Binds the declaration at text (up to the NUL, a newline or ';'), which is
// left behind it. 1, or 0 with the error. A module it names that is not
// loaded yet is loaded without its handle export; an export already
// declared for its module is left as it was.
int ParseDeclaration(const char*& text, uint32_t& error);

ExtensionModule* FindExtensionModule(const char* name);
ExtensionFunction* FindModuleFunction(ExtensionModule* module, const char* exportName);

// path is MODULE!EXPORT, ended by '(', a blank or a statement end. 1 with
// the function copied into out, or 0 with 112 (no '!'), 120 or 121.
int FindExtensionFunction(const char* path, BoundFunction& out, uint32_t& error);

// The export MODULE_member called without arguments: 1 with its result, or
// 0 when the module is not loaded or lacks the export (nothing called).
int CallModuleExport(const char* module, const char* member, uint32_t& result);

// ERASE of an OBJECT: the export MODULE_member (MODULE_Remove for a null
// member) called with the handle as its one argument. Returns a message
// number: 0 also when nothing is called (unknown module, handle 0, no such
// export); 122 when the export is not declared with exactly one parameter,
// so that an export taking more words never runs on one.
uint32_t RemoveModuleObject(const char* module, uint32_t handle, const char* member);

// Frees every function record and module record and releases every library.
void FreeExtensionModules();

// The declaration strings 1 to 99 of a loaded module, each added to the
// list box without its leading "MODULE!MODULE_". The count added.
int ListModuleDeclarations(HWND listBox, const char* module);
