#include "host_globals.h"

HINSTANCE hInst = nullptr;
HWND FrameWindow = nullptr;
HWND MdiClient = nullptr;
HMENU FrameMenu = nullptr;
volatile LONG ScriptWindowCount = 0;
HWND ActiveScriptWindow = nullptr;
HACCEL CurrentAccelerators = nullptr;
HWND CurrentModelessDialog = nullptr;
uint16_t LastScriptOptions = 0;
HBRUSH DialogBrush = nullptr;

const char kProductName[] = "KORVEX";
const char kScriptWindowClass[] = "KORVEX_CLASS";
const char kIniFileName[] = "KORVEX.INI";
