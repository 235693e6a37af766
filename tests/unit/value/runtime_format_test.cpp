#include <gtest/gtest.h>

#include "crt_format.h"

// The system's printed numbers follow the Windows C runtime: three exponent
// digits. A build that switched to MinGW's formatter would change every
// REAL text that scripts see.
TEST(RuntimeFormat, ExponentHasThreeDigits) {
  char buffer[64];
  EXPECT_EQ(13, CrtFormat(buffer, sizeof buffer, "%E", 0.0));
  EXPECT_STREQ("0.000000E+000", buffer);
  CrtFormat(buffer, sizeof buffer, "%E", 2147483648.0);
  EXPECT_STREQ("2.147484E+009", buffer);
  CrtFormat(buffer, sizeof buffer, "%f", 0.01);
  EXPECT_STREQ("0.010000", buffer);
}

TEST(RuntimeFormat, CutTextsStayTerminated) {
  char buffer[6] = "xxxxx";
  EXPECT_EQ(-1, CrtFormat(buffer, sizeof buffer, "%s", "abcdefgh"));
  EXPECT_STREQ("abcde", buffer);
  EXPECT_EQ(5, CrtFormat(buffer, sizeof buffer, "%d", 12345));
  EXPECT_EQ(-1, CrtFormat(buffer, sizeof buffer, "%d", 123456));
  EXPECT_EQ(-1, CrtFormat(buffer, 0, "%d", 1));
}
