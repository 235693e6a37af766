// BMP files (core or info header) into packed DIB blocks with a 40-byte
// header and a colour table of 4-byte entries.
#pragma once
#include <windows.h>

#include <cstddef>

// Reads the file and returns the block, or 0 with error set: the file's
// read error, 11 for data that are not a well-formed BMP (wrong type,
// unknown header size or compression, colours or bits beyond the file,
// a bits offset inside the header), 30 for a header cut short, 115 when
// the memory cannot be had. 0 on success.
HGLOBAL LoadBitmapFile(const char* path, unsigned short* error);
// The same over a file already in memory.
HGLOBAL LoadDibFromBytes(const unsigned char* data, size_t size, unsigned short* error);
