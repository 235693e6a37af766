// Changes to the buffer: a record rebuilt with a new text, table rows
// deleted and added. Every change keeps the buffer whole: when the block
// cannot grow nothing changes.
#pragma once
#include <windows.h>

#include <cstdint>

namespace selvy {

enum class Alignment { kLeft, kRight, kCenter };

// The alignment a record shows in the edit dialog: a head centre, a cell
// by its DrawText flags, a text by its letter.
Alignment AlignmentOf(const BYTE* record);

// Rebuilds the 'H', 'L', 'R' or 'T' record at offset with the text (its
// length becomes the text's length + 21, + 15 or + 5) and the alignment
// (a cell's DT_CENTER and DT_RIGHT, a text's letter; a head keeps its
// own); the records behind it move and the data length follows. False,
// with nothing changed, for another type, a record that would pass 65535
// bytes, or a block that cannot grow.
bool RebuildRecord(BYTE** buffer, int32_t* length, int32_t offset, const char* text, int textLength,
                   Alignment alignment);

// The longest text a record of the type can take.
int MostTextLength(char type);

// Table rows of page `page` at y (page units): the row is the first 'L'
// cell of column 0 whose top and bottom hold y; it has as many cells as
// its group has heads. True when a row was found.
// Delete: removes the row's cells (only consecutive 'L' records) and moves
// every later record of the page up by the row's height.
bool DeleteRow(BYTE** buffer, int32_t* length, int page, double y);
// Add: inserts empty cells above the row (with its top and bottom) or
// below its cells (one row's height lower) and moves every later record of
// the page down by the row's height.
bool AddRow(BYTE** buffer, int32_t* length, int page, double y, bool below);

}  // namespace selvy
