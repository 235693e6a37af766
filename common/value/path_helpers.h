// File names: '\' and ':' separate, the extension follows the last '.'.
// Routines that lengthen a path take the capacity of its buffer and leave
// the path unchanged (returning 0) when the result would not fit.
#pragma once
#include <cstddef>

int FileExists(const char* name);
int FindExtension(const char* path);
int SetExtension(char* path, size_t capacity, const char* extension);
void StripExtension(char* path);
int ForceExtension(char* path, size_t capacity, const char* extension);
int HasExtension(const char* path, const char* extension);
void FileNamePart(char* path);
void DirectoryPart(char* path);
int AddBackslash(char* path, size_t capacity);
