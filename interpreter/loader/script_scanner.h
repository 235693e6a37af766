// The loader's scan: reduces a script text block to the normal form in place,
// splicing in the files that CHAIN lines name.
//
// Normal form (what the run loop and the evaluator see):
// - lines end with a newline (10) and hold at least two characters (the
//   last line may end at the NUL instead); no other NUL;
// - no carriage returns, no other control characters (tabs included, also
//   inside quotes), no comments, no empty lines;
// - no blank at the start of a line, never two blanks in a row outside quotes;
// - no blank next to , ( ) = * / + - < > : & outside quotes, except "IF ("
//   at the start of a line; blanks around | ~ ! [ ] and between words stay,
//   and so does one blank at the end of a line ("A=1 " from "A = 1 ' note");
// - a line ending in '_' is joined with the next one (the '_' goes); the
//   next line goes on as if the '_' were still written, so a blank before
//   the '_' stays ("X = 1 _" + "+ 2" gives "X=1 +2") and so does one blank
//   of the next line's indentation (the evaluator skips such blanks);
// - CHAIN "file" lines are replaced by the normal form of the file's text;
// - verbatim blocks: a line whose comment begins with '' opens one, and the
//   next '' closes it; the lines between are kept exactly as written except
//   for carriage returns and NUL bytes (no squeezing, joining, checks or
//   includes). The text on the closing line before its '' ends as an
//   ordinary line; the '' and the rest of that line are a comment.
#pragma once
#include <windows.h>

// block: movable and unlocked, holding length bytes of text and a NUL behind
// them (NUL bytes inside the text count as control characters). mainPath
// locates CHAIN files (see SpliceChainFile); it may be null when the text
// includes nothing.
// Returns 0 with the block shrunk to the normal form and its NUL, or a
// message number (115, 119, 125, 140) with *line set to the line of the
// combined text where it was found (line 1 is the first line of the text; a
// CHAIN line counts as the lines of the text it brings). After an error the
// block's contents are undefined; the caller frees it.
unsigned short PreprocessScript(HGLOBAL* block, DWORD length, const char* mainPath, DWORD* line);
