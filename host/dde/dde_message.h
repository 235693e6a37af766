// The pieces of raw DDE messages the server posts: data blocks, ACK status
// words and posts that give back what they carried when they fail.
#pragma once
#include <windows.h>

#include <cstdint>

class VARIABLE;

// Flag bits of a data block's first word, and the ACK status words.
const uint16_t kDataResponse = 0x1000;
const uint16_t kDataRelease = 0x2000;
const uint16_t kDataAckRequested = 0x8000;
const uint16_t kAckPositive = 0x8000;
const uint16_t kAckNegative = 0;

// Room for a value's text as clients get it: at most 64 characters.
const int kDdeValueTextSize = 65;

// The value's text (the exact MONEY form), at most 64 characters.
void DdeValueText(const VARIABLE& value, char (&text)[kDdeValueTextSize]);

// A shared data block: flags, format CF_TEXT, the text and its NUL. Null
// when there is no memory.
HGLOBAL MakeDataBlock(const char* text, uint16_t flags);

// The atom's name (at most kItemNameLength characters); false when the atom
// is 0 or cannot be read.
bool ReadAtomName(ATOM atom, char* name, int size);

// WM_DDE_ACK from sender with a packed status and value (an item atom or a
// command block). When the post fails the packed parameter is freed and an
// atom the ACK handed back is deleted.
void PostAck(HWND client, HWND sender, uint16_t status, ATOM atom);
void PostExecuteAck(HWND client, HWND sender, uint16_t status, HGLOBAL commands);

// WM_DDE_DATA from sender with a block (may be null) and an item atom the
// message owns. When the post fails the block, the atom and the packed
// parameter are freed and false is returned.
bool PostData(HWND client, HWND sender, HGLOBAL block, ATOM atom);
