// The script path a command line (or RUN) names.
#pragma once
#include <string>

// Blanks within the first 128 characters removed, a leading double quote
// and its closing quote at the end dropped, the extension forced to "bas".
std::string CleanScriptPath(const char* path);
