// Finds one resource by type number and name in a compiled resource file
// (.RES) of the 32-bit or the 16-bit layout and returns its data in a new
// movable global block.
#pragma once
#include <windows.h>

#include <cstddef>

enum : WORD {
  kResourceBitmap = 2,
  kResourceMenu = 4,
  kResourceDialog = 5,
  kResourceAccelerators = 9,
  kResourceNameTable = 15,  // ends a 16-bit search
};

// The value of the window variable RESOURCE: 16 selects the 16-bit layout,
// anything else the 32-bit one.
enum : int { kResourceLayout16 = 16, kResourceLayout32 = 32 };

enum class ResourceScan { Found, NotFound, Malformed };

// Where a resource's data lie inside the file image.
struct ResourceSpan {
  size_t offset;
  size_t size;
};

// 32-bit layout: the entries are walked by their HeaderSize and DataSize.
// Only a numbered TYPE and a named NAME match; the name is compared code
// unit by code unit after conversion to UTF-16 (case counts). Every field
// is checked against the file's size: a broken entry gives Malformed.
ResourceScan FindResource32(const unsigned char* data, size_t size, WORD type, const char* name,
                            ResourceSpan* span);
// 16-bit layout: a named TYPE or the name table (15) ends the search; the
// name matches a string NAME without regard to case.
ResourceScan FindResource16(const unsigned char* data, size_t size, WORD type, const char* name,
                            ResourceSpan* span);

// Read the file and return the resource's data in a new movable block, or 0.
// error (optional) receives the file's read error, 11 for a malformed file,
// 115 for a failed allocation, 0 when the resource is just not there.
HGLOBAL ReadResource32(const char* file, WORD type, const char* name, unsigned short* error = nullptr);
HGLOBAL ReadResource16(const char* file, WORD type, const char* name, unsigned short* error = nullptr);
// The reader that the layout value selects.
HGLOBAL ReadResourceByLayout(int layout, const char* file, WORD type, const char* name,
                             unsigned short* error = nullptr);

// A new movable block holding a copy of size bytes (0 for size 0 or when
// the allocation fails).
HGLOBAL CopyToGlobal(const void* data, size_t size);
