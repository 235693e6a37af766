// Records and memo texts are OEM in the files and ANSI for clients. Both
// code pages are single-byte here, so each direction is a 256-byte table
// made once from the Windows conversion: a record costs no allocation.
#pragma once
#include <cstdint>

void OemToAnsiBytes(uint8_t* target, const uint8_t* source, uint32_t length);
void AnsiToOemBytes(uint8_t* target, const uint8_t* source, uint32_t length);
