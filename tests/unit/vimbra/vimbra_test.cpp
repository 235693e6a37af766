// VIMBRA as the binder calls it: handles and indexes as LONG words, VARIABLE
// arguments as pointers to the caller's records, POINTER results copied,
// VARIABLE results copied and handed back to RELEASE.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "library_call.h"
#include "variable.h"

namespace {

const LibraryCall vimbra("VIMBRA");

VARIABLE Long(int32_t n) { VARIABLE v; v.SetLong(n); return v; }
VARIABLE Real(double x) { VARIABLE v; v.SetReal(x); return v; }
VARIABLE Text(const char* text) { VARIABLE v; v = text; return v; }

// "L 3", "R 3.500000", "S abc", "N": type letter and text of a record.
std::string Describe(const VARIABLE& v) {
  char text[kValueTextSize];
  std::string out(1, "NLRSBPVOMDITG"[v.type]);
  if (v.type != VAL_NULL) out += std::string(" ") + v.GetText(text, sizeof text, 0);
  return out;
}

// A POINTER result as the binder copies it ("-" for a null pointer).
std::string Pointed(uint32_t word) {
  return word ? Describe(*reinterpret_cast<const VARIABLE*>(word)) : "-";
}

// A VARIABLE result: copied, then freed by the library.
std::string Record(uint32_t word) {
  std::string text = Pointed(word);
  vimbra("RELEASE", {word});
  return text;
}

int32_t Signed(uint32_t word) { return static_cast<int32_t>(word); }

uint32_t Dim(int32_t size) { return vimbra("VIMBRA_Dim", {static_cast<uint32_t>(size)}); }
int32_t Add(uint32_t array, const VARIABLE& key, const VARIABLE& value) {
  return Signed(vimbra("VIMBRA_Add", {array, Word(&key), Word(&value)}));
}
int32_t Err(uint32_t array) { return Signed(vimbra("VIMBRA_Err", {array})); }
int32_t Count(uint32_t array) { return Signed(vimbra("VIMBRA_Count", {array})); }
uint32_t Get(uint32_t array, int32_t index) {
  return vimbra("VIMBRA_Get", {array, static_cast<uint32_t>(index)});
}
uint32_t Index(uint32_t array, int32_t index) {
  return vimbra("VIMBRA_Index", {array, static_cast<uint32_t>(index)});
}
void Erase(uint32_t array) { vimbra("VIMBRA_Erase", {array}); }

// An array of LONG values keyed 0, 1, ...
uint32_t LongArray(std::initializer_list<int32_t> values) {
  uint32_t array = Dim(0);
  int32_t key = 0;
  for (int32_t n : values) Add(array, Long(key++), Long(n));
  return array;
}

TEST(Vimbra, GrowsByTenSlotsAndKeepsCopiesOfWhatWasAdded) {
  uint32_t array = Dim(0);
  ASSERT_NE(0u, array);
  VARIABLE key = Text("k");
  VARIABLE value = Text("first");
  EXPECT_EQ(1, Add(array, key, value));
  key = "changed";  // the caller's records are the caller's
  value = "changed";
  for (int32_t n = 1; n < 10; ++n) EXPECT_EQ(n + 1, Add(array, Long(n), Real(n / 2.0)));
  EXPECT_EQ(11, Add(array, Long(10), Long(100)));  // the eleventh grows the array
  EXPECT_EQ(0, Err(array));
  EXPECT_EQ(11, Count(array));
  EXPECT_EQ("S first", Pointed(Get(array, 0)));
  EXPECT_EQ("S k", Pointed(Index(array, 0)));
  EXPECT_EQ("R 4.500000", Pointed(Get(array, 9)));
  EXPECT_EQ("L 100", Pointed(Get(array, 10)));
  EXPECT_EQ("L 10", Pointed(Index(array, 10)));
  Erase(array);
}

TEST(Vimbra, NegativeAndOversizedSizesGiveUsableArrays) {
  // Size <= 0 is the default capacity.
  uint32_t array = Dim(-5);
  ASSERT_NE(0u, array);
  for (int32_t n = 0; n < 25; ++n) ASSERT_EQ(n + 1, Add(array, Long(n), Long(n)));
  EXPECT_EQ(0, Err(array));
  EXPECT_EQ("L 24", Pointed(Get(array, 24)));
  Erase(array);

  // 238609295 slots of 18 bytes wrap a 32-bit byte count to 14 bytes; the
  // others cannot be had. Each leaves an empty array that reports 115 and
  // grows at its first Add.
  for (int32_t size : {238609295, 0x10000000, INT_MAX}) {
    array = Dim(size);
    ASSERT_NE(0u, array) << size;
    EXPECT_EQ(115, Err(array)) << size;
    EXPECT_EQ(0, Count(array));
    EXPECT_EQ("-", Pointed(Get(array, 0)));
    for (int32_t n = 0; n < 25; ++n) ASSERT_EQ(n + 1, Add(array, Long(n), Text("x"))) << size;
    EXPECT_EQ(0, Err(array));
    EXPECT_EQ("S x", Pointed(Get(array, 24)));
    EXPECT_EQ("L 24", Pointed(Index(array, 24)));
    Erase(array);
  }
}

TEST(Vimbra, PositionsOutOfRangeAndDeleting) {
  uint32_t array = Dim(3);
  Add(array, Text("a"), Long(1));
  Add(array, Text("b"), Text("two"));
  Add(array, Text("c"), Long(3));
  EXPECT_EQ(-1, Signed(vimbra("VIMBRA_Del", {array, 3})));
  EXPECT_EQ(117, Err(array));
  EXPECT_EQ(-1, Signed(vimbra("VIMBRA_Del", {array, static_cast<uint32_t>(-1)})));
  EXPECT_EQ(2, Signed(vimbra("VIMBRA_Del", {array, 0})));
  EXPECT_EQ(0, Err(array));
  EXPECT_EQ(2, Count(array));
  EXPECT_EQ("S b", Pointed(Index(array, 0)));
  EXPECT_EQ("S two", Pointed(Get(array, 0)));
  EXPECT_EQ("S c", Pointed(Index(array, 1)));
  EXPECT_EQ("L 3", Pointed(Get(array, 1)));
  // Get and Index set 117 out of range and clear it otherwise.
  EXPECT_EQ("-", Pointed(Get(array, 2)));
  EXPECT_EQ(117, Err(array));
  EXPECT_EQ("S two", Pointed(Get(array, 0)));
  EXPECT_EQ(0, Err(array));
  EXPECT_EQ("-", Pointed(Index(array, -1)));
  EXPECT_EQ(117, Err(array));
  EXPECT_EQ("S c", Pointed(Index(array, 1)));
  EXPECT_EQ(0, Err(array));
  // The freed last slot takes the next element.
  EXPECT_EQ(3, Add(array, Text("d"), Long(4)));
  EXPECT_EQ("L 4", Pointed(Get(array, 2)));
  Erase(array);
}

TEST(Vimbra, SeekAndFindCompareKeysWithTheEqualityOperator) {
  uint32_t array = Dim(0);
  VARIABLE nullKey;
  Add(array, nullKey, Text("null key"));
  Add(array, Real(1.0), Text("one"));
  Add(array, Text("x"), Text("ex"));
  Add(array, Long(1), Text("second one"));
  Get(array, -1);  // error 117, which searching leaves alone

  VARIABLE one = Long(1);
  EXPECT_EQ(1, Signed(vimbra("VIMBRA_Seek", {array, Word(&one)})));
  EXPECT_EQ("S one", Pointed(vimbra("VIMBRA_Find", {array, Word(&one)})));
  VARIABLE x = Text("x");
  EXPECT_EQ(2, Signed(vimbra("VIMBRA_Seek", {array, Word(&x)})));
  VARIABLE missing = Text("y");
  EXPECT_EQ(-1, Signed(vimbra("VIMBRA_Seek", {array, Word(&missing)})));
  EXPECT_EQ("-", Pointed(vimbra("VIMBRA_Find", {array, Word(&missing)})));
  EXPECT_EQ(117, Err(array));
  // Comparing never retypes the stored NULL key or the caller's record.
  EXPECT_EQ("N", Pointed(Index(array, 0)));
  EXPECT_EQ(VAL_STRING, missing.type);
  Erase(array);
}

TEST(Vimbra, MaxAndMinPointToTheFirstExtreme) {
  uint32_t array = Dim(0);
  EXPECT_EQ(0u, vimbra("VIMBRA_Max", {array}));
  EXPECT_EQ(0u, vimbra("VIMBRA_Min", {array}));
  Add(array, Long(0), Long(3));
  Add(array, Long(1), Real(7.5));
  Add(array, Long(2), Long(-2));
  Add(array, Long(3), Real(7.5));
  Add(array, Long(4), Real(-2.0));
  Get(array, 9);  // error 117, which Max and Min leave alone
  uint32_t greatest = vimbra("VIMBRA_Max", {array});
  uint32_t smallest = vimbra("VIMBRA_Min", {array});
  EXPECT_EQ(117, Err(array));
  EXPECT_EQ(Get(array, 1), greatest);
  EXPECT_EQ(Get(array, 2), smallest);
  EXPECT_EQ("R 7.500000", Pointed(greatest));
  Erase(array);
}

TEST(Vimbra, SumKeepsTheFirstValuesType) {
  uint32_t array = Dim(0);
  EXPECT_EQ("N", Record(vimbra("VIMBRA_Sum", {array})));
  Add(array, Long(0), Long(1));
  Add(array, Long(1), Real(2.5));
  EXPECT_EQ("L 3", Record(vimbra("VIMBRA_Sum", {array})));
  Erase(array);

  array = Dim(0);
  VARIABLE money;
  money.SetMoney(12500);  // 1.25
  Add(array, Long(0), money);
  Add(array, Long(1), Long(2));
  EXPECT_EQ("M 3.25", Record(vimbra("VIMBRA_Sum", {array})));
  Erase(array);

  array = Dim(0);
  Add(array, Long(0), Text("7"));
  Add(array, Long(1), Long(1));
  EXPECT_EQ("N", Record(vimbra("VIMBRA_Sum", {array})));
  EXPECT_EQ(116, Err(array));
  Erase(array);
}

TEST(Vimbra, AvgIsTheRunningHalvingAverage) {
  uint32_t array = LongArray({4, 4, 4});
  // (((0 + 4) / 2 + 4) / 2 + 4) / 2: 2.0, 3.0 and 3.5, each cut into a LONG.
  EXPECT_EQ("L 3", Record(vimbra("VIMBRA_Avg", {array})));
  Erase(array);

  array = Dim(0);
  EXPECT_EQ("N", Record(vimbra("VIMBRA_Avg", {array})));
  Add(array, Long(0), Text("4"));
  EXPECT_EQ("N", Record(vimbra("VIMBRA_Avg", {array})));
  EXPECT_EQ(116, Err(array));
  Erase(array);
}

TEST(Vimbra, HandleZeroGivesEmptyResults) {
  VARIABLE one = Long(1);
  EXPECT_EQ(-1, Add(0, one, one));
  EXPECT_EQ(-1, Signed(vimbra("VIMBRA_Seek", {0, Word(&one)})));
  EXPECT_EQ(-1, Signed(vimbra("VIMBRA_Del", {0, 0})));
  for (const char* name : {"VIMBRA_Max", "VIMBRA_Min", "VIMBRA_Count", "VIMBRA_Sum", "VIMBRA_Avg",
                           "VIMBRA_Err", "VIMBRA_Sort"}) {
    EXPECT_EQ(0u, vimbra(name, {0})) << name;
  }
  EXPECT_EQ(0u, Get(0, 0));
  EXPECT_EQ(0u, Index(0, 0));
  EXPECT_EQ(0u, vimbra("VIMBRA_Find", {0, Word(&one)}));
  Erase(0);
  vimbra("RELEASE", {0});  // a null record: nothing happens

  // Sort is declared but does nothing.
  uint32_t array = LongArray({3, 1});
  EXPECT_EQ(0u, vimbra("VIMBRA_Sort", {array}));
  EXPECT_EQ("L 3", Pointed(Get(array, 0)));
  Erase(array);
}

TEST(Vimbra, ErasedOrUnknownHandlesAreNeverTouched) {
  // A script that erases an array twice, or keeps using it, must not bring
  // down the process: such handles act like 0.
  uint32_t array = LongArray({5, 6});
  Erase(array);
  Erase(array);
  EXPECT_EQ(0, Count(array));
  EXPECT_EQ(-1, Add(array, Long(1), Long(1)));
  EXPECT_EQ(0u, Get(array, 0));
  EXPECT_EQ(0, Count(12345));
  uint32_t live = LongArray({7});
  EXPECT_EQ(1, Count(live));
  Erase(live);
}

}  // namespace
