// The frame every extension library is built on (and Wennic's entry): the
// entry procedure keeps a count of process attaches and calls the library's
// start routine at the first and its stop routine at the last; hInst is the
// module instance that the handle export gives the binder.
#pragma once
#include <windows.h>

// Exports carry plain stdcall names; the build strips the "@n" decoration.
#define KORVEX_EXPORT extern "C" __declspec(dllexport)

// Stored by the library's start routine.
extern HINSTANCE hInst;

// Each library defines both. The start routine returns 1, or 0 to make the
// load fail; the stop routine returns 1.
int DLL_Start(HINSTANCE instance);
int DLL_Stop();

// Change hook of the value records compiled into a library (declared the same
// way in the value library's variable.h); empty here, only the main program
// acts on it (pushes the value to DDE clients). Libraries on the frame take
// this body and never link korvex_value_nohook.
class VARIABLE;
void VariableUpdated(VARIABLE* record);
