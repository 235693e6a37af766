// The settings and the tuning sheet of a grid window's table record.
#pragma once
#include <windows.h>

struct RecordSetTable;

// Reads the table's stored settings (KORVEX.INI, section = the table's
// name): column modes, the sort order when the style has SORT, the font,
// and the marker of "Main". Change bits: 1 modes, 2 sort. A table without
// a name or record set reads nothing but the marker.
DWORD ReadTableTune(RecordSetTable* table);

// The tuning sheet over the table (its pages from `resources`); the
// result is kept as the table's tuning result and returned. A table whose
// modes, sort or font changed is laid out and drawn again.
DWORD ShowTuneSheet(RecordSetTable* table, HINSTANCE resources);
