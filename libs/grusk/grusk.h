// Grusk: the system's print settings (printer, page margins in millimetres,
// print font) and print jobs with a progress dialog that has a stop button.
// Libraries that print link the target Grusk (its import library) and
// include this header; scripts bind SELFONT, SETMARGIN, SELPRINTER and
// PRNBOX with DEF GRUSK.
//
// A print job, in the order callers follow:
//   SELPRINTER(owner) lets the user choose a printer, SELPRINTER(0) takes
//   the default one without a dialog;
//   PRNCREATE() makes the printer's DC; PRNFONT, PRNMARGIN and PRNGETFONT
//   lay out the page;
//   PRNSTART(owner, dc, name): a non-zero code is a message number for ERRBOX;
//   per page StartPage, drawing, EndPage, then PRNSHOW(page, total): 1 means
//   the user pressed the stop button and the caller stops;
//   PRNSTOP(owner, dc): a non-zero code is a message number; the caller
//   deletes the DC.
// A caller that writes a page file instead passes DC 0 to PRNSTART and
// PRNSTOP: only the progress dialog is shown and the owner disabled.
#pragma once
#include <windows.h>

#ifdef __cplusplus
#define GRUSK_EXTERN extern "C"
#else
#define GRUSK_EXTERN extern
#endif
#ifdef GRUSK_BUILD
#define GRUSK_API GRUSK_EXTERN __declspec(dllexport)
#else
#define GRUSK_API GRUSK_EXTERN __declspec(dllimport)
#endif

// Codes of PRNSTART and PRNSTOP: message numbers of the shared text table.
enum {
  GRUSK_ERROR_WINDOW = 101,  // "ошибка создания окна"
  GRUSK_ERROR_OPEN = 104,    // "ошибка открытия устройства"
  GRUSK_ERROR_CLOSE = 106    // "ошибка закрытия устройства"
};

// The print font as PRNGETFONT hands it out: size in points, a word that is
// always 0, the face name with its terminating zero.
#pragma pack(push, 1)
typedef struct GruskFont {
  WORD points;
  WORD reserved;
  char face[32];
} GruskFont;
#pragma pack(pop)

// The font dialog; TRUE when it was confirmed (the choice is then written to
// the INI file).
GRUSK_API BOOL WINAPI SELFONT(HWND owner);
// The margin dialog; TRUE when it was confirmed (written to the INI file).
GRUSK_API BOOL WINAPI SETMARGIN(HWND owner);
// The printer setup dialog from the current choice, or with owner 0 the
// default printer without a dialog; TRUE when a printer was chosen.
GRUSK_API BOOL WINAPI SELPRINTER(HWND owner);
// Draws text word-wrapped in the box x1,y1-x2,y2 (millimetres from the top
// left corner inside the margins) in the DC's current font; alignment "C"
// centre, "R" right, anything else left. Returns the DrawTextA result.
GRUSK_API int WINAPI PRNBOX(HDC dc, int x1, int y1, int x2, int y2, const char* alignment,
                            const char* text);
// The chosen printer's DC; 0 when no printer can be named or made.
GRUSK_API HDC WINAPI PRNCREATE(void);
// Starts a job (dc may be 0) and shows the progress dialog over the owner,
// which is disabled: 0, GRUSK_ERROR_WINDOW or GRUSK_ERROR_OPEN.
GRUSK_API UINT WINAPI PRNSTART(HWND owner, HDC dc, const char* document);
// Shows "page of total" in the progress dialog and lets it work; TRUE once
// the stop button was pressed.
GRUSK_API BOOL WINAPI PRNSHOW(int page, int total);
// Ends the job (a stopped job is aborted), closes the progress dialog and
// enables the owner: 0 or GRUSK_ERROR_CLOSE.
GRUSK_API UINT WINAPI PRNSTOP(HWND owner, HDC dc);
// A new font (the caller deletes it) for the print font on the device.
GRUSK_API HFONT WINAPI PRNFONT(HDC dc);
// The margins left, top, right, bottom in the device's units.
GRUSK_API void WINAPI PRNMARGIN(HDC dc, RECT* margins);
// The print font of the settings (read only; valid while Grusk is loaded).
GRUSK_API const GruskFont* WINAPI PRNGETFONT(void);
// The library's instance handle.
GRUSK_API HINSTANCE WINAPI GRUSK_HANDLE(void);
