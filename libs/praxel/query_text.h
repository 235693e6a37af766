// The query text as a record set keeps it.
#pragma once
#include <cstddef>
#include <string>

// Squeezes blanks in place like SqueezeBlanks (one blank of each run, none
// at the ends, none after '(' and none before ! ) + , - . / : ; = ?) but
// over any length, and leaves '...' and "..." literals as they are.
// Returns the new length.
size_t SqueezeQuery(char* text);
// Clause words ("ORDER BY ", " WHERE ", "AND ", ...) are found regardless
// of case and outside '...' and "..." literals.
// The first occurrence of word at or after from (npos when none).
size_t FindClause(const std::string& text, const char* word, size_t from = 0);
// The last occurrence of word, or null / npos.
const char* FindLastOf(const char* text, const char* word);
size_t FindLastClause(const std::string& text, const char* word);
