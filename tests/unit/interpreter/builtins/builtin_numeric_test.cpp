// Numbers, bits, dates, times and the value-making built-ins.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include <windows.h>

#include "builtin_test_support.h"
#include "date_time.h"

namespace {

TEST(BuiltinNumeric, TableCases) {
  RunCases({
      {"INT", {L(7)}, "L:7"},
      {"INT", {R(7.9)}, "R:7.000000"},
      {"INT", {R(-2.7)}, "R:-2.000000"},
      {"INT", {S("7")}, "!116"},
      {"ABS", {L(-5)}, "L:5"},
      {"ABS", {L(INT32_MIN)}, "L:-2147483648"},
      {"ABS", {R(-2.5)}, "R:2.500000"},
      {"ABS", {M(-15000)}, "M:1.5"},
      {"ABS", {B(1)}, "!116"},
      {"SQR", {L(16)}, "R:4.000000"},
      {"SIN", {S("1")}, "!116"},
      {"ASIN", {L(1)}, "R:1.570796"},
      {"ASIN", {L(2)}, "!126"},
      {"ASIN", {R(NAN)}, "!126"},
      {"POW", {L(2), R(10)}, "R:1024.000000"},
      {"POW", {L(2), S("1")}, "!116"},
      {"MOD", {L(7), L(0)}, "L:7"},
      {"MOD", {L(-7), L(3)}, "L:-1"},
      {"MOD", {L(INT32_MIN), L(-1)}, "L:0"},
      {"MOD", {L(7), R(2)}, "!116"},
      {"ROUND", {R(2.345), L(2)}, "R:2.350000"},
      {"ROUND", {S("1"), L(2)}, "!116"},
      {"NOT", {B(1)}, "B:FALSE"},
      {"NOT", {B(0)}, "B:TRUE"},
      {"NOT", {L(0)}, "L:-1"},
      {"NOT", {L(15), L(5)}, "L:10"},
      {"NOT", {R(1)}, "!116"},
      {"OR", {L(12), L(3)}, "L:15"},
      {"AND", {L(12), L(6)}, "L:4"},
      {"INCL", {L(0), L(33)}, "L:2"},
      {"EXCL", {L(7), L(1)}, "L:5"},
      {"BIT", {L(4), L(2)}, "B:TRUE"},
      {"BIT", {L(4), L(1)}, "B:FALSE"},
      {"LOWORD", {L(-1)}, "L:65535"},
      {"HIWORD", {L(-1)}, "L:65535"},
      {"HIWORD", {L(0x12345678)}, "L:4660"},
      {"RGB", {L(255), L(0), L(0)}, "L:255"},
      {"RGB", {L(0), L(0), L(255)}, "L:16711680"},
      {"RGB", {L(0x1FF), L(1), L(0)}, "L:511"},
      {"RGB", {L(0), L(0), B(1)}, "!116"},
  });
  EXPECT_TRUE(std::isnan(Call("SQR", {L(-1)}).result.real));
}

TEST(BuiltinNumeric, RandomSequencePerThread) {
  double first = Call("RND", {L(5)}).result.real;
  EXPECT_EQ(Call("RND", {L(5)}).result.real, first);
  double second = Call("RND", {L(0)}).result.real;
  // The generator's own arithmetic: state 5 -> 5*214013+2531011.
  uint32_t state = 5u * 214013u + 2531011u;
  EXPECT_EQ(first, ((state >> 16) & 32767u) / 32767.0);
  state = state * 214013u + 2531011u;
  EXPECT_EQ(second, ((state >> 16) & 32767u) / 32767.0);
  // Another thread starts at 1, untouched by this one's seed.
  double other = 0;
  std::thread([&] { other = Call("RND", {L(0)}).result.real; }).join();
  state = 1u * 214013u + 2531011u;
  EXPECT_EQ(other, ((state >> 16) & 32767u) / 32767.0);
  EXPECT_EQ(Call("RND", {R(1)}).Show(), "!116");
}

TEST(BuiltinValues, DatesAndTimes) {
  Outcome today = Call("DATE", {L(-1)});
  EXPECT_EQ(today.result.type, VAL_LONG);
  EXPECT_TRUE(IsValidDate(today.result.lng));
  EXPECT_EQ(Call("DATE", {L(20240817), S("yyyy-MM-dd")}).Show(), "S:2024-08-17");
  char shortText[kDateTextSize];
  DateToText(20240817, shortText, nullptr);
  EXPECT_EQ(Call("DATE", {L(20240817)}).Show(), std::string("S:") + shortText);
  VARIABLE stamp;
  stamp.TYPE(VAL_TIME);
  stamp.time.date = 20240817;
  stamp.time.seconds = 3661;
  EXPECT_EQ(Call("DATE", {stamp, S("dd/MM/yyyy")}).Show(), "S:17/08/2024");
  EXPECT_EQ(Call("DATE", {S(shortText)}).Show(), "L:20240817");
  EXPECT_EQ(Call("DATE", {S("nonsense")}).Show(), "L:0");
  EXPECT_EQ(Call("DATE", {L(20240817), L(1)}).Show(), "!116");
  EXPECT_EQ(Call("DATE", {R(1)}).Show(), "!116");
  // A picture longer than the room is cut, never written past it.
  Outcome longPicture =
      Call("DATE", {L(20240817), S("dddd dddd dddd dddd dddd dddd dddd yyyy")});
  EXPECT_LE(longPicture.result.Length(), 31u);

  EXPECT_EQ(Call("TIME", {L(3661)}).Show(), "S:01:01:01");
  EXPECT_EQ(Call("TIME", {stamp}).Show(), "S:01:01:01");
  EXPECT_EQ(Call("TIME", {S("13:45:10")}).Show(), "L:49510");
  Outcome now = Call("TIME", {L(-1)});
  EXPECT_EQ(now.result.type, VAL_LONG);
  EXPECT_LT(now.result.lng, 86400);
  EXPECT_EQ(Call("TIME", {B(1)}).Show(), "!116");

  Outcome moment = Call("NOW", {N()});
  ASSERT_EQ(moment.result.type, VAL_TIME);
  EXPECT_TRUE(IsValidDate(moment.result.time.date));
  EXPECT_LT(moment.result.time.seconds, 86400);
}

TEST(BuiltinValues, ChooseAndMake) {
  RunCases({
      {"IIF", {L(1), L(2), L(3)}, "!116"},
      {"IIF", {B(1), S("a"), L(2)}, "S:a"},
      {"IIF", {B(0), S("a"), L(2)}, "L:2"},
      {"GUID", {L(0)}, "G:{00000000-0000-0000-0000-000000000000}"},
      {"GUID", {S("{00000000-0000-0000-0000-000000000001}")},
       "G:{00000000-0000-0000-0000-000000000001}"},
      {"GUID", {R(1)}, "!116"},
      {"TYPE", {N()}, "S:NULL"},
      {"IMAGE", {S("4")}, "!116"},
      {"SIZE", {L(4)}, "!116"},
  });
  Outcome guid = Call("GUID", {L(1)});
  ASSERT_EQ(guid.result.type, VAL_GUID);
  Outcome text = Call("GUID", {guid.result});
  ASSERT_EQ(text.result.type, VAL_STRING);
  Outcome back = Call("GUID", {text.result});
  ASSERT_EQ(back.result.type, VAL_GUID);
  EXPECT_TRUE(IsEqualGUID(back.result.guid, guid.result.guid));
  EXPECT_NE(text.Show(), "S:{00000000-0000-0000-0000-000000000000}");

  Outcome image = Call("IMAGE", {L(10)});
  ASSERT_EQ(image.result.type, VAL_IMAGE);
  EXPECT_EQ(Call("LEN", {image.result}).Show(), "L:10");
  EXPECT_EQ(Call("EMPTY", {image.result}).Show(), "B:FALSE");
  EXPECT_EQ(Call("IMAGE", {L(-1)}).Show(), "!115");

  VARIABLE r = R(1);
  VARIABLE pointer;
  pointer.TYPE(VAL_POINTER);
  EXPECT_EQ(Call("SIZE", {Ptr(r)}).Show(), "L:8");
  EXPECT_EQ(Call("SIZE", {pointer}).Show(), "L:0");
  EXPECT_EQ(Call("EMPTY", {pointer}).Show(), "B:TRUE");
  EXPECT_EQ(Call("EMPTY", {Ptr(r)}).Show(), "B:FALSE");
}

}  // namespace
