// The resource arguments of the window statements: "file, name", both
// STRING, read from the .RES file in the layout that the window variable
// RESOURCE selects.
#pragma once
#include <windows.h>

#include <string>

class Interpreter;

// The layout RESOURCE asks for: 16 (the 16-bit layout) or 32 (any other).
int ResourceLayout(Interpreter& interpreter);

struct ResourceArgs {
  std::string file;
  std::string name;
  int layout = 32;
};

// Evaluates "file, name" at the interpreter's position (left behind the
// name) and reads the resource of the type. The new block, or 0 with the
// error stored: 112 without the comma, 113 for a file or name that is no
// STRING, 142 when the resource cannot be read (unless the reading stored
// an error of its own). args, when given, receives what was read.
HGLOBAL ReadResourceArgs(Interpreter& interpreter, WORD type, ResourceArgs* args = nullptr);
