#include <gtest/gtest.h>

#include "value_test_support.h"

namespace {

struct BinaryCase {
  const char* left;
  char op;
  const char* right;
  const char* expected;  // Describe() of the result
};

VARIABLE Apply(char op, VARIABLE* l, VARIABLE* r) {
  switch (op) {
    case '+': return VARIABLE::Add(l, r);
    case '-': return VARIABLE::Subtract(l, r);
    case '*': return VARIABLE::Multiply(l, r);
    case '/': return VARIABLE::Divide(l, r);
    case '&': return VARIABLE::Ampersand(l, r);
    default: return VARIABLE::Bar(l, r);
  }
}

const BinaryCase kBinaryCases[] = {
    // +
    {"L7", '+', "L2", "L 9"},
    {"L2147483647", '+', "L1", "L -2147483648"},
    {"L1", '+', "R0.5", "R 1.500000"},
    {"L1", '+', "M25000", "M 3.50"},
    {"L3600", '+', "T20240101,0", "T 2024.01.01 01:00:00"},
    {"L1", '+', "T19791231,0", "T!137"},
    {"L1", '+', "S:x", "N!113"},
    {"L1", '+', "B1", "N!113"},
    {"R0.5", '+', "L1", "R 1.500000"},
    {"R0.5", '+', "R0.25", "R 0.750000"},
    {"R1.25", '+', "M10000", "M 2.25"},
    {"R1", '+', "T20240101,0", "N!113"},
    {"S:ab", '+', "S:cd", "S abcd"},
    {"S", '+', "S:cd", "S cd"},
    {"S:ab", '+', "L1", "N!113"},
    {"M10000", '+', "L2", "M 3.00"},
    {"M10000", '+', "R0.5", "M 1.50"},
    {"M10000", '+', "M5000", "M 1.50"},
    {"M10000", '+', "S:1", "N!113"},
    {"T20240101,0", '+', "L3600", "T 2024.01.01 01:00:00"},
    {"T19791231,0", '+', "L1", "T!137"},
    {"T19800102,0", '+', "T19800101,3600", "T 1980.01.02 01:00:00"},
    {"T19800102,0", '+', "R1", "N!113"},
    {"N", '+', "L5", "L 5"},
    {"L5", '+', "N", "L 5"},
    {"N", '+', "N", "N 0"},
    {"B1", '+', "L1", "N!116"},
    {"P", '+', "P", "N!116"},
    {"V", '+', "V", "N!116"},
    {"O", '+', "L1", "N!116"},
    {"D", '+', "L1", "N!116"},
    {"I", '+', "L1", "N!116"},
    {"G", '+', "G", "N!116"},
    // -
    {"L7", '-', "L2", "L 5"},
    {"L-2147483648", '-', "L1", "L 2147483647"},
    {"L1", '-', "R0.5", "R 0.500000"},
    {"L1", '-', "M5000", "M 0.50"},
    {"L1", '-', "T20240101,0", "N!113"},
    {"R2", '-', "L1", "R 1.000000"},
    {"R2", '-', "M5000", "M 1.50"},
    {"M20000", '-', "L1", "M 1.00"},
    {"M20000", '-', "R0.5", "M 1.50"},
    {"M20000", '-', "M5000", "M 1.50"},
    {"T20240102,0", '-', "T20240101,0", "T 1980.01.02 00:00:00"},
    {"T20240101,3600", '-', "L3600", "T 2024.01.01 00:00:00"},
    {"T19791231,0", '-', "L1", "T!137"},
    {"S:ab", '-', "S:a", "N!116"},
    {"B1", '-', "B1", "N!116"},
    // *
    {"L6", '*', "L7", "L 42"},
    {"L65536", '*', "L65536", "L 0"},
    {"L2", '*', "R1.5", "R 3.000000"},
    {"L3", '*', "M15000", "M 4.50"},
    {"R2.5", '*', "L2", "R 5.000000"},
    {"R1.5", '*', "M20000", "M 3.00"},
    {"M15000", '*', "L3", "M 4.50"},
    {"M10000", '*', "R2.5", "M 2.50"},
    {"M10000", '*', "M10000", "N!113"},
    {"S:a", '*', "L1", "N!116"},
    {"T20240101,0", '*', "L1", "N!116"},
    {"N", '*', "N", "N 0"},
    // /
    {"L7", '/', "L2", "R 3.500000"},
    {"L7", '/', "L0", "N!114"},
    {"L7", '/', "N", "N!114"},
    {"N", '/', "N", "N!114"},
    {"L7", '/', "R0", "N!114"},
    {"L1", '/', "R4", "R 0.250000"},
    {"L1", '/', "M10000", "N!113"},
    {"R7.5", '/', "L2", "R 3.750000"},
    {"R1", '/', "M10000", "N!113"},
    {"M100000", '/', "M40000", "R 2.500000"},
    {"M100000", '/', "M0", "N!114"},
    {"M70000", '/', "L2", "M 3.50"},
    {"M100000", '/', "R4", "M 2.50"},
    {"M100000", '/', "R0.00001", "N!114"},  // the divisor is MONEY 0
    {"S:a", '/', "L1", "N!116"},
    {"S:a", '/', "L0", "N!114"},  // the divisor is checked first
    {"T20240101,0", '/', "L1", "N!116"},
    // &
    {"L6", '&', "L3", "L 2"},
    {"L12", '&', "S:ab", "N!113"},
    {"S:ab", '&', "L12", "S ab12"},
    {"S:ab", '&', "B1", "S ab1"},
    {"S:ab", '&', "B0", "S ab0"},
    {"S:ab", '&', "R0.5", "S ab0.500000"},
    {"S:ab", '&', "M12345", "S ab1.23"},
    {"S:ab", '&', "S:cd", "S abcd"},
    {"S", '&', "L1", "S 1"},
    {"S:ab", '&', "T20240101,0", "N!113"},
    {"B1", '&', "L1", "N!116"},
    {"T20240101,0", '&', "L1", "N!116"},
    // |
    {"L6", '|', "L3", "L 7"},
    {"S:ab", '|', "L3", "N!113"},
    {"L3", '|', "S:ab", "N!116"},
    {"B1", '|', "L1", "N!113"},
    {"N", '|', "L5", "L 5"},
};

TEST(ValueOperators, ResultTypesValuesAndErrors) {
  for (const BinaryCase& c : kBinaryCases) {
    VARIABLE l = Make(c.left), r = Make(c.right);
    VARIABLE::Error = 0;
    VARIABLE result = Apply(c.op, &l, &r);
    EXPECT_EQ(c.expected, Describe(result)) << c.left << " " << c.op << " " << c.right;
    VARIABLE::Error = 0;
  }
}

struct CompareCase {
  const char* left;
  const char* op;
  const char* right;
  int expected;  // 0, 1, or -1 for error 113 (and a result of 0)
};

int Compare(const std::string& op, VARIABLE* l, VARIABLE* r) {
  if (op == ">") return VARIABLE::Greater(l, r);
  if (op == "<") return VARIABLE::Less(l, r);
  if (op == "=") return VARIABLE::Equal(l, r);
  if (op == ">=") return VARIABLE::GreaterEqual(l, r);
  if (op == "<=") return VARIABLE::LessEqual(l, r);
  return VARIABLE::NotEqual(l, r);
}

const CompareCase kCompareCases[] = {
    {"L1", "<", "L2", 1},
    {"L-1", ">", "L1", 0},
    {"L2", ">", "R1.5", 1},
    {"L1", "=", "M10000", 1},
    {"L1", "=", "B1", 1},
    {"L1", "<>", "B2", 1},
    {"L1", ">", "B0", -1},
    {"L1", "=", "S:1", -1},
    {"R1.5", ">=", "L1", 1},
    {"R1.5", "<=", "R1.5", 1},
    {"R1.4999", "<", "M15000", 1},
    {"R1", "=", "B1", -1},
    {"M15000", ">", "R1.4999", 1},
    {"M10000", "<>", "M20000", 1},
    {"M10000", "=", "L1", 1},
    {"M10000", "<", "L1", 0},
    {"M10000", "=", "B1", -1},
    {"S:ab", "<", "S:b", 1},
    {"S", "=", "S:", 1},
    {"S", "<", "S:a", 1},
    {"S:\x80", ">", "S:", 1},
    {"S:\x80", ">", "S", 1},
    {"S:\xE0", ">", "S:z", 1},
    {"S:a", "=", "L1", -1},
    {"T20240101,0", "<", "T20240101,1", 1},
    {"T20240102,0", ">", "T20240101,86399", 1},
    {"T20240101,5", "=", "T20240101,5", 1},
    {"T20240101,0", "=", "L20240101", -1},
    {"B1", "=", "B1", 1},
    {"B1", "=", "L1", 1},
    {"B1", "<>", "B0", 1},
    {"B1", ">", "B0", -1},
    {"P", "=", "P", 1},
    {"P", "<", "P", -1},
    {"O", "=", "O", 1},
    {"O", ">=", "O", -1},
    {"D", "=", "D", 1},
    {"I", "<>", "I", 0},
    {"I", "=", "T20240101,0", -1},
    {"G", "=", "G", 1},
    {"G", "<=", "G", -1},
    {"V", "=", "V", -1},
    {"N", "=", "N", 1},
    {"N", ">=", "N", 1},
    {"N", "<=", "N", 1},
    {"N", ">", "N", 0},
    {"N", "<", "N", 0},
    {"N", "<>", "N", 0},
    {"N", "<", "L1", 1},
    {"S:a", ">", "N", 1},
};

TEST(ValueComparisons, PairsAndErrors) {
  for (const CompareCase& c : kCompareCases) {
    VARIABLE l = Make(c.left), r = Make(c.right);
    VARIABLE::Error = 0;
    int result = Compare(c.op, &l, &r);
    std::string where = std::string(c.left) + " " + c.op + " " + c.right;
    if (c.expected < 0) {
      EXPECT_EQ(0, result) << where;
      EXPECT_EQ(113u, VARIABLE::Error) << where;
    } else {
      EXPECT_EQ(c.expected, result) << where;
      EXPECT_EQ(0u, VARIABLE::Error) << where;
    }
    VARIABLE::Error = 0;
  }
}

TEST(ValueOperators, GuidAndPointerEqualityLooksAtThePayload) {
  VARIABLE a = Make("G"), b = Make("G");
  b.raw[15] = 1;
  EXPECT_EQ(0, VARIABLE::Equal(&a, &b));
  EXPECT_EQ(1, VARIABLE::NotEqual(&a, &b));
  VARIABLE x, y;
  VARIABLE p = x.MakePointer(), q = y.MakePointer(), p2 = x.MakePointer();
  EXPECT_EQ(0, VARIABLE::Equal(&p, &q));
  EXPECT_EQ(1, VARIABLE::Equal(&p, &p2));
}

TEST(ValueOperators, NullOperandPointerGivesNullWithoutError) {
  VARIABLE l = Make("L1");
  VARIABLE::Error = 0;
  EXPECT_EQ(VAL_NULL, VARIABLE::Divide(&l, nullptr).type);
  EXPECT_EQ(VAL_NULL, VARIABLE::Add(nullptr, &l).type);
  EXPECT_EQ(0, VARIABLE::Equal(nullptr, &l));
  EXPECT_EQ(0u, VARIABLE::Error);
}

// The record operators: & and | are called on the right operand.
TEST(ValueOperators, RecordOperatorsFollowTheCallingConvention) {
  VARIABLE::Error = 0;
  VARIABLE text = Make("S:ab"), number = Make("L12");
  EXPECT_EQ("S ab12", Describe(number & text));
  VARIABLE three = Make("L3");
  VARIABLE ab = Make("S:ab");
  EXPECT_EQ("N!116", Describe(ab | three));  // script: 3 | "ab"
  VARIABLE::Error = 0;
  VARIABLE seven = Make("L7"), two = Make("L2");
  EXPECT_EQ("R 3.500000", Describe(seven / two));
  EXPECT_EQ(1, seven > two);
  EXPECT_EQ(0, seven == two);
}

// The operators change no operand but a NULL one's type byte, and results
// own their texts.
TEST(ValueOperators, OperandsKeepTheirTexts) {
  VARIABLE a = Make("S:ab"), b = Make("S:cd");
  VARIABLE sum = VARIABLE::Add(&a, &b);
  EXPECT_NE(a.text, sum.text);
  EXPECT_STREQ("ab", a.text);
  EXPECT_STREQ("cd", b.text);
  VARIABLE n;
  VARIABLE::Add(&a, &n);
  EXPECT_EQ(VAL_STRING, n.type);
  EXPECT_EQ(nullptr, n.text);
}

}  // namespace
