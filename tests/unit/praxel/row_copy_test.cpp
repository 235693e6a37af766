// The read path's short copies: every length a row or a text can have, from
// and to every alignment, copy exactly their bytes and touch none beside.
#include <gtest/gtest.h>

#include <cstring>

#include "row_copy.h"

TEST(FewBytes, EveryLengthAndAlignmentCopiesItsBytesAndNothingElse) {
  unsigned char source[96];
  for (size_t i = 0; i < sizeof source; ++i) source[i] = static_cast<unsigned char>(i * 7 + 1);
  for (size_t from = 0; from < 4; ++from)
    for (size_t to = 0; to < 4; ++to)
      for (size_t n = 0; n <= 80; ++n) {
        unsigned char target[96];
        std::memset(target, 0xEE, sizeof target);
        CopyFewBytes(target + 4 + to, source + from, n);
        for (size_t i = 0; i < sizeof target; ++i) {
          bool inside = i >= 4 + to && i < 4 + to + n;
          unsigned char expected = inside ? source[from + i - 4 - to] : 0xEE;
          ASSERT_EQ(target[i], expected) << "n " << n << " from " << from << " to " << to << " byte " << i;
        }
      }
}
