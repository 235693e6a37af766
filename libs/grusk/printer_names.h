// The device, driver and port names of a printer, from a DEVNAMES block
// or from the WIN.INI device line.
#pragma once
#include <windows.h>

#include <cstddef>

struct PrinterNames {
  char* device;
  char* driver;
  char* port;
  size_t size;  // capacity of each of the three
};

// Copies the three names of a DEVNAMES block of the given byte size; false
// when an offset lies outside the block (the names are then empty).
bool NamesFromDevNames(const DEVNAMES* block, size_t blockSize, const PrinterNames& names);
// Splits "device,driver,port" at "," (driver and port also at blanks);
// false when one of the three is missing.
bool NamesFromDeviceLine(const char* line, const PrinterNames& names);
