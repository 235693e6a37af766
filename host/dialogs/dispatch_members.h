// The members of an automation object, from its type information.
#pragma once
#include <windows.h>

class VARIABLE;

// Columns "Name" (20 character widths) and "Type" (8); one row for every
// function description of the object's type information: its name (31
// characters at most) and its kind with its parameter count ("Get(n)",
// "Put(n)", "Method(n)", "PutRef(n)"). Without type information, or for a
// value that holds no interface, the list stays empty. The rows added.
int FillDispatchMembers(HWND listView, const VARIABLE& value);
