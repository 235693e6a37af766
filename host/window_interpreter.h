// The interpreter of one script window: the core interpreter with the
// window's menu, accelerators, attached child, embedded dialog and DDE
// topic, and the host's answers to the interpreter's virtual operations.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "interpreter.h"

class WindowInterpreter : public Interpreter {
 public:
  WindowInterpreter() = default;
  // Destroys the accelerators, menu and embedded dialog, closes the
  // attached window, frees the script text and deletes the topic atom.
  ~WindowInterpreter() override;

  // RUN "file": another script in a new window of this process. 1 when a
  // window was made, else 0 (113 when the expression is no STRING).
  int RunFile() override;
  // The window built-ins, asked after the interpreter's own.
  int CallBuiltin(const char* name, const char*& position) override;
  // The window statements (MENU, KEY, PLAY, ..., QUIT); 0 for other words.
  int ExecUnknownStatement(const char* word) override;
  // The condition grammar of IF, for the built-in CALC.
  using Interpreter::ParseCondition;
  // The error dialog over the script window, and the STOP dialog (1 for
  // "End", 0 for "Continue").
  void OnError(const char* position) override;
  int OnStop(const char* position) override;

  // The script window: set by StartScript for the body, and by the
  // dispatcher for handlers and command texts. (The variable HWND is not
  // used: a script may overwrite it, and it is not set yet while labels
  // are collected.)
  HWND ScriptWindow = nullptr;

  // Event handlers of this window now running (changed on the GUI thread
  // only; a script thread reads it with RunningHandlersNow).
  uint16_t& RunningHandlers() { return handlersRunning_; }
  uint16_t RunningHandlersNow() const {
    return *static_cast<const volatile uint16_t*>(&handlersRunning_);
  }

  // The window given to StartScript, until the predefined variables take it
  // as HPARENT. Kept apart from EmbeddedDialog, so that a script that ends
  // before it starts never destroys its parent's window.
  HWND StartParent = nullptr;

  // Who still uses this interpreter: the window, its script thread while
  // the body runs, each running handler. The last to let go deletes it, so
  // a window destroyed under a running body or handler never pulls the
  // tables away from it (see HoldInterpreter).
  volatile LONG Holders = 1;

  HWND AttachedWindow = nullptr;
  HMENU ScriptMenu = nullptr;
  HMENU WindowListMenu = nullptr;
  HACCEL ScriptAccelerators = nullptr;
  HGLOBAL ScriptText = nullptr;
  ATOM TopicAtom = 0;
  HWND EmbeddedDialog = nullptr;
  uint16_t TopMargin = 0;
  uint16_t RightMargin = 0;
  // Script modules this window loaded (module key -> LOADs not yet
  // unloaded): a window unloads only what it loaded.
  std::map<std::string, unsigned> LoadedModules;
};

// The run-flag word with the first line's options added: "REM " (any case)
// and a comma list of words to the line's end ('\n', ';' or NUL); a word
// (8 characters count) that begins an item of "HIDE", "WINDOW" adds
// kRunHide or kRunWindow.
uint16_t ReadScriptOptions(const char* text, uint16_t flags);
