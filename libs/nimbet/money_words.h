// An amount of money in Russian words, for payment documents:
// "1234.50" -> "одна тысяча двести тридцать четыре рубля 50 копеек".
#pragma once
#include <string>

// Reads at most 199 characters of amount (blanks anywhere are ignored):
// digits, and at most one '.' after which the first two digits are the
// kopecks (one digit is tens: ".5" is 50). False, and words untouched, for
// a sign, any other character, or more than 12 integer digits after leading
// zeros. The words start in lower case.
bool AmountInWords(const char* amount, std::string& words);
