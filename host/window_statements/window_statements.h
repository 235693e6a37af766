// The 12 window statements, reached through the interpreter's unknown-word
// hook, and what a window's end does with its menu and accelerators.
#pragma once

class WindowInterpreter;

// 1 when the word is one of the window statements (whatever the outcome: a
// failure is the error it stored), 0 for any other word.
int ExecWindowStatement(WindowInterpreter& interpreter, const char* word);

// At the interpreter's end. A menu the frame still shows gives way to the
// frame's own menu (with its window list) before it is destroyed; an
// accelerator table the message loop still uses is taken from it first.
void ReleaseScriptMenu(WindowInterpreter& interpreter);
void ReleaseScriptAccelerators(WindowInterpreter& interpreter);

// The statements, each at the position behind its word: 0, or 1 with the
// error stored.
int ExecMenu(WindowInterpreter& interpreter);
int ExecKey(WindowInterpreter& interpreter);
int ExecPlay(WindowInterpreter& interpreter);
int ExecDraw(WindowInterpreter& interpreter);
int ExecLoad(WindowInterpreter& interpreter);
int ExecUnload(WindowInterpreter& interpreter);
int ExecHelp(WindowInterpreter& interpreter);
int ExecQuit(WindowInterpreter& interpreter);
