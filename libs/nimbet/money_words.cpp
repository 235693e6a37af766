#include "money_words.h"

#include <cstdint>
#include <cstring>

namespace {

const char* const kHundreds[] = {"",         "сто ",      "двести ",   "триста ",    "четыреста ",
                                 "пятьсот ", "шестьсот ", "семьсот ", "восемьсот ", "девятьсот "};
const char* const kTeens[] = {"десять ",       "одиннадцать ", "двенадцать ", "тринадцать ",
                              "четырнадцать ", "пятнадцать ",  "шестнадцать ", "семнадцать ",
                              "восемнадцать ", "девятнадцать "};
const char* const kTens[] = {"",          "",           "двадцать ",    "тридцать ",   "сорок ",
                             "пятьдесят ", "шестьдесят ", "семьдесят ", "восемьдесят ", "девяносто "};
const char* const kUnits[] = {"",      "один ",  "два ",    "три ",    "четыре ",
                              "пять ", "шесть ", "семь ", "восемь ", "девять "};

const size_t kMaxAmountText = 199;
const size_t kMaxIntegerDigits = 12;

// Words of 0..999, each followed by a blank; zero gives none.
void AppendNumber(std::string& out, unsigned n, bool feminine) {
  out += kHundreds[n / 100];
  unsigned rest = n % 100;
  if (rest >= 10 && rest < 20) {
    out += kTeens[rest - 10];
    return;
  }
  out += kTens[rest / 10];
  unsigned unit = rest % 10;
  if (feminine && unit == 1) out += "одна ";
  else if (feminine && unit == 2) out += "две ";
  else out += kUnits[unit];
}

// 1: один рубль, 2: пять рублей, 3: два рубля.
int FormClass(unsigned n) {
  unsigned m = n > 100 ? n % 100 : n;
  unsigned k = m < 20 ? m : m % 10;
  if (k == 1) return 1;
  if (k >= 2 && k <= 4) return 3;
  return 2;
}

const char* Ending(unsigned n, const char* one, const char* many, const char* few) {
  switch (FormClass(n)) {
    case 1: return one;
    case 3: return few;
    default: return many;
  }
}

// The words of n, then the word with the ending of n's form class.
void AppendGroup(std::string& out, unsigned n, bool feminine, const char* word, const char* one,
                 const char* many, const char* few) {
  AppendNumber(out, n, feminine);
  out += word;
  out += Ending(n, one, many, few);
  out += ' ';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool AmountInWords(const char* amount, std::string& words) {
  std::string text;
  if (amount) {
    size_t n = strnlen(amount, kMaxAmountText);
    for (size_t i = 0; i < n; ++i)
      if (amount[i] != ' ') text += amount[i];
  }
  size_t dot = text.find('.');
  std::string whole = text.substr(0, dot);
  std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
  for (char c : whole + fraction)
    if (!IsDigit(c)) return false;
  size_t first = whole.find_first_not_of('0');
  whole = first == std::string::npos ? "" : whole.substr(first);
  if (whole.size() > kMaxIntegerDigits) return false;

  uint64_t value = 0;
  for (char c : whole) value = value * 10 + static_cast<unsigned>(c - '0');
  unsigned billions = static_cast<unsigned>(value / 1000000000);
  unsigned rubles = static_cast<unsigned>(value % 1000000000);
  unsigned kopecks = fraction.empty() ? 0 : static_cast<unsigned>(fraction[0] - '0') * 10;
  if (fraction.size() > 1) kopecks += static_cast<unsigned>(fraction[1] - '0');

  std::string out;
  if (billions) AppendGroup(out, billions, false, "миллиард", "", "ов", "а");
  if (rubles > 999999) {
    AppendGroup(out, rubles / 1000000, false, "миллион", "", "ов", "а");
    rubles %= 1000000;
  }
  if (rubles >= 1000) {
    AppendGroup(out, rubles / 1000, true, "тысяч", "а", "", "и");
    rubles %= 1000;
  }
  AppendGroup(out, rubles, false, "рубл", "ь", "ей", "я");
  out += static_cast<char>('0' + kopecks / 10);
  out += static_cast<char>('0' + kopecks % 10);
  out += " копе";
  out += Ending(kopecks, "йка", "ек", "йки");
  words = out;
  return true;
}
