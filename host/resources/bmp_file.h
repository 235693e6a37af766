// BMP files (core or info header) into packed DIB blocks with a 40-byte
// header and a colour table of 4-byte entries.
#pragma once
#include <windows.h>

#include <cstddef>

#include "file_object.h"

// Reads the file and returns the block, or 0 with error set: the file's
// read error, 11 for data that are not a well-formed BMP (wrong type,
// unknown header size or compression, a bits offset inside the header or
// beyond the file), 30 for a header, colour table or bits cut short, 115
// when the memory cannot be had. 0 on success. The channel masks of a
// BI_BITFIELDS file are kept in front of its colour table.
HGLOBAL LoadBitmapFile(const char* path, unsigned short* error);
// The same over an open file object, read from its start; a failure is
// stored as the object's error (a file that is not a BMP is left at its
// start). On success the error is 0 and the object stands behind the bits.
HGLOBAL LoadDibFile(FileObject& file);
// As LoadDibFile, but the block ends after the colour table (biSizeImage
// still gives the bits' size) and the object stands where the bits begin.
HGLOBAL ReadDibHeader(FileObject& file);
// The same over a file already in memory.
HGLOBAL LoadDibFromBytes(const unsigned char* data, size_t size, unsigned short* error);
