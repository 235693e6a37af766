// A page file read back through its handle and written out one record a
// line, for the report tests: "# 1 2479 3508", "F 12 B Mono", "B 55 236 354
// 1304 590", "T C text", "H 0 l t r b title", "L 0 top bottom text", "G",
// "E"; a damaged file ends with "!11@offset".
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The whole file from its start; the handle is left where it was.
std::string PageFileBytes(HANDLE file);
std::vector<std::string> PageDump(const std::string& bytes);
