// The window's variables in a dialog's list view: one row for every scalar
// and every array element, the record kept as the row's item data.
#pragma once
#include <windows.h>

#include <string>

class VARIABLE;
class VariableTable;

// Columns "Name", "Type" and "Value" (9, 8 and 40 character widths), then
// the scalars in table order and the elements of each array named
// "NAME(row,col)". Names beginning with '$' are not listed. A STRING shows
// its whole text, and one longer than 40 characters widens the Value
// column to fit.
void FillVariableList(VariableTable& variables, HWND listView);

// A value's text for the list: a STRING whole, any other type in at most
// limit characters (MONEY in its exact form).
std::string ListValueText(const VARIABLE& value, size_t limit);

// The record a row's name stands for, looked up again (an array may have
// been erased or resized since the list was filled); null when gone.
VARIABLE* FindListedVariable(VariableTable& variables, const char* rowName);

// The character width of the list view's font, which sizes its columns.
int ListCharWidth(HWND listView);
// Adds a report-view column of the given text and width.
void AddListColumn(HWND listView, int index, const char* title, int width);
