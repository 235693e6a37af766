// LOAD file and UNLOAD file: script modules whose labels join the window's
// label table. A window unloads only what it loaded itself, and only the
// labels that lie in the module's own text leave the table.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "builtin_frame.h"
#include "label_scan.h"
#include "path_helpers.h"
#include "script_loader.h"
#include "script_modules.h"
#include "statement_reader.h"
#include "window_context.h"
#include "window_interpreter.h"
#include "window_statements.h"

namespace {

const unsigned short kLoaderOpenError = 140;

struct ModuleLabel {
  char name[kNameKeySize + 1];
  const char* position;
};

struct LabelList {
  std::vector<ModuleLabel> labels;
  const LabelTable* table = nullptr;  // names already taken there refuse too
};

int CollectLabel(void* context, const char* name, const char* position) {
  LabelList& list = *static_cast<LabelList*>(context);
  ModuleLabel label;
  std::memcpy(label.name, name, kNameKeySize);
  label.name[kNameKeySize] = 0;
  label.position = position;
  if (list.table && list.table->FindLabel(label.name)) return 0;
  for (const ModuleLabel& known : list.labels)
    if (std::memcmp(known.name, label.name, kNameKeySize) == 0) return 0;
  list.labels.push_back(label);
  return 1;
}

std::string ModuleKey(const char* path) {
  char key[8];
  SetModuleName(key, path);
  return std::string(key, sizeof key);
}

// The file argument, which must be a STRING (146).
int ReadModulePath(WindowInterpreter& interpreter, std::string& path) {
  VARIABLE file;
  if (ReadValue(interpreter, file)) return 1;
  if (file.type != VAL_STRING) return FailStatement(interpreter, kStatementArgumentType);
  path = TextOf(file);
  return 0;
}

// The module counted once more: a known one, else the file loaded. Null
// with the error stored.
ScriptModule* AddModule(WindowInterpreter& interpreter, const std::string& path) {
  HGLOBAL text = nullptr;
  if (!FindScriptModule(path.c_str())) {
    if (!FileExists(path.c_str())) {
      FailStatement(interpreter, kStatementFileMissing);
      return nullptr;
    }
    unsigned short error = 0;
    DWORD line = 0;
    text = LoadScript(path.c_str(), &error, &line);
    if (!text) {
      FailStatement(interpreter, error ? error : kLoaderOpenError);
      return nullptr;
    }
  }
  ScriptModule* module = AddScriptModule(path.c_str(), text);
  // Another script may have added the same module meanwhile: its text counts.
  if (text && (!module || module->text != text)) GlobalFree(text);
  if (!module) FailStatement(interpreter, kStatementNoMemory);
  return module;
}

}  // namespace

int ExecLoad(WindowInterpreter& interpreter) {
  std::string path;
  if (ReadModulePath(interpreter, path)) return 1;
  ScriptModule* module = AddModule(interpreter, path);
  if (!module) return 1;
  // Every label is checked before any is added: a clash leaves the table
  // and the module's count as they were.
  LabelList list;
  list.table = &interpreter.Labels();
  if (ScanScriptLabels(module->start, CollectLabel, &list, nullptr) != 0) {
    ReleaseScriptModule(path.c_str());
    return FailStatement(interpreter, kStatementDuplicateLabel);
  }
  for (const ModuleLabel& label : list.labels) interpreter.Labels().AddLabel(label.name, label.position);
  ++WindowOwner(interpreter).LoadedModules[ModuleKey(path.c_str())];
  return 0;
}

int ExecUnload(WindowInterpreter& interpreter) {
  std::string path;
  if (ReadModulePath(interpreter, path)) return 1;
  auto& loaded = WindowOwner(interpreter).LoadedModules;
  auto use = loaded.find(ModuleKey(path.c_str()));
  ScriptModule* module = use != loaded.end() ? FindScriptModule(path.c_str()) : nullptr;
  if (!module) return FailStatement(interpreter, kStatementModuleName);

  LabelList list;
  ScanScriptLabels(module->start, CollectLabel, &list, nullptr);
  const char* start = module->start;
  const char* end = start + std::strlen(start);
  LabelTable& labels = interpreter.Labels();
  for (const ModuleLabel& label : list.labels) {
    const char* at = labels.FindLabel(label.name);
    if (at >= start && at <= end) labels.RemoveLabel(label.name);
  }
  ReleaseScriptModule(path.c_str());
  if (--use->second == 0) loaded.erase(use);
  return 0;
}
