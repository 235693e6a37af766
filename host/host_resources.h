// Resource and command numbers of the program (shared with korvex.rc, so
// plain macros).
#pragma once

#define kProgramIcon 101
#define kFrameMenu 103
// The built-in INPUT's dialog: a prompt above an edit, OK and Cancel.
#define kInputDialog 104
#define kInputEdit 1007
#define kInputPrompt 1008

// Dialogs of failing and stopped scripts and their inspectors.
#define kErrorDialog 101
#define kDispatchDialog 105
#define kValueEditorDialog 108
#define kStopDialog 107
#define kObjectDialog 109
#define kDialogMessage 1001
#define kDialogSourceList 1003
#define kDialogVariableList 1004
#define kDialogValueEdit 1007
#define kDialogMemberList 1009
#define kDialogLoopDepth 1010
#define kDialogIfDepth 1011

// Frame menu commands. The frame handles the window arrangement itself;
// every other id from 40000 to 40999 goes to the active script window.
#define kCommandCloseAll 40000
#define kCommandCascade 40001
#define kCommandTile 40002
#define kCommandArrange 40003
#define kCommandInfo 40004
#define kCommandFirstScript 40000
#define kCommandLastScript 40999
#define kCommandNew 40101
#define kCommandOpen 40102
#define kCommandClose 40103
#define kCommandExit 40106
#define kCommandEdit 40201
#define kCommandAdd 40202
#define kCommandDelete 40203
#define kCommandTask1 40301
#define kCommandHelp 57670
