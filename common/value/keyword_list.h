// Keyword lists: zero-terminated items one after another, ended by an empty
// item. Items count from 1; 0 means absent. Comparisons ignore case.
#pragma once

int KeywordIndex(const char* list, const char* name);
int KeywordPrefixIndex(const char* list, const char* text);
const char* KeywordAt(const char* list, int n);
// Turns every occurrence of separator into a zero byte.
void SetNullToText(char* text, char separator);

// Wildcards '?' and '*' (no backtracking: '*' takes the first occurrence of
// the next pattern character). Upper-cases both buffers in place.
int MatchWildcard(char* text, unsigned textLength, char* pattern, unsigned patternLength);
