// The table laid out again for a printer or page file, and its title.
#pragma once
#include <windows.h>

#include "table_print_context.h"

// Lays out the context for its dc (font, margins and titles already set):
// width = HORZRES - left - right margin, height = VERTRES; from field 1 on
// every field that is not hidden, |FieldWidth(field, 1)| characters wide,
// at least its title's width, at most the remaining width (the column that
// uses it up is the last; at most 32); 2 device units between columns;
// title height, footer lines and height, rows per page.
void LayoutPrintTable(TablePrintContext* c, RecordSetObject* records);

// The title over the table: empty or null gives 0. "\n" of the text is a
// line break. Drawn centred on the dc, or written as 'B' (sides 0) and
// 'T' 'C' when the context has a page file. Returns the bottom of its box
// (top margin + height + 1), or -1 when a page-file write failed.
int PrintTableTitle(TablePrintContext* c, const char* title);

// The title text with each two-character "\n" made one line-feed byte.
void TitleLineBreaks(const char* text, char* out, size_t size);
