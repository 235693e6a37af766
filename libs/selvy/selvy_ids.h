// Resource and command numbers of the page view.
#pragma once

// Strings: the file dialogs' filters ('|' for NUL) and titles.
#define IDS_OPEN_FILTER 1000
#define IDS_OPEN_TITLE 1001
#define IDS_SAVE_FILTER 1002
#define IDS_SAVE_TITLE 1003
#define IDS_EXPORT_FILTER 1004
#define IDS_EXPORT_TITLE 1005

// The edit dialog "Выравнивание": the text and the alignment.
#define IDD_EDIT_TEXT 101
#define IDC_EDIT_TEXT 1000
#define IDC_ALIGN_LEFT 1001
#define IDC_ALIGN_RIGHT 1002
#define IDC_ALIGN_CENTER 1003

// Commands of the popup menu.
#define IDM_PRINT 40101
#define IDM_OPEN 40111
#define IDM_SAVE 40112
#define IDM_ROW_ABOVE 40113
#define IDM_ROW_DELETE 40114
#define IDM_ROW_BELOW 40115
#define IDM_EXPORT 40116
