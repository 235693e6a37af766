// Resources of the tuning sheet: its pages' dialogs ("FORMAT", "FONT",
// "MARKER"), their controls and icons.
#pragma once

#define IDI_COLUMN_FULL 106
#define IDI_COLUMN_HIDDEN 107
#define IDI_COLUMN_NORMAL 108
#define IDI_PAGE_FONT 111
#define IDI_PAGE_FORMAT 113
#define IDI_PAGE_MARKER 116

#define IDC_FORMAT_COLUMNS 1014
#define IDC_FONT_FACES 1016
#define IDC_FONT_BOLD 1019
#define IDC_FONT_SIZE 1020
#define IDC_FONT_SIZE_SPIN 1021
#define IDC_MARKER_WIDTH 1022
#define IDC_MARKER_WIDTH_SPIN 1023
