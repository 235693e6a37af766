// The record number that the controls give as their window text.
#pragma once
#include <windows.h>

// WM_GETTEXT's answer: the record number in decimal, at most size - 1
// digits and the zero, into buffer; the count of digits. A null buffer or a
// size of 0 gets nothing and 0.
LRESULT CopyRecordText(unsigned long record, WPARAM size, char* buffer);
