#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <malloc.h>

#include "crt_format.h"
#include "value_test_support.h"

namespace {

class VariableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VARIABLE::Error = 0;
    g_updates.clear();
  }
  void TearDown() override { VARIABLE::Error = 0; }
};

TEST_F(VariableTest, LayoutIsFixed) {
  EXPECT_EQ(18u, sizeof(VARIABLE));
  EXPECT_EQ(0u, offsetof(VARIABLE, type));
  EXPECT_EQ(1u, offsetof(VARIABLE, links));
  EXPECT_EQ(2u, offsetof(VARIABLE, lng));
  EXPECT_EQ(2u, offsetof(VARIABLE, money));
  EXPECT_EQ(6u, offsetof(VARIABLE, object.module));
  EXPECT_EQ(6u, offsetof(VARIABLE, dispatch.name));
  EXPECT_EQ(6u, offsetof(VARIABLE, image.size));
  EXPECT_EQ(6u, offsetof(VARIABLE, time.seconds));
  VARIABLE records[2];
  EXPECT_EQ(18, reinterpret_cast<char*>(&records[1]) - reinterpret_cast<char*>(&records[0]));
  VARIABLE v;
  EXPECT_EQ(VAL_NULL, v.type);
  EXPECT_EQ(0, v.links);
  for (unsigned char b : v.raw) EXPECT_EQ(0, b);
}

TEST_F(VariableTest, CopiesOwnTheirTextAndReference) {
  VARIABLE text = Make("S:hello");
  VARIABLE copy(text);
  EXPECT_NE(text.text, copy.text);
  EXPECT_STREQ("hello", copy.text);
  text.Link(1);
  VARIABLE unlinked(text);
  EXPECT_EQ(0, unlinked.links);

  CountingDispatch d;
  {
    VARIABLE a = MakeDispatch(&d, "Word");
    EXPECT_EQ(2, d.refs);
    {
      VARIABLE b(a);
      EXPECT_EQ(3, d.refs);
      EXPECT_NE(a.dispatch.name, b.dispatch.name);
      EXPECT_STREQ("Word", b.dispatch.name);
    }
    EXPECT_EQ(2, d.refs);
  }
  EXPECT_EQ(1, d.refs);
}

TEST_F(VariableTest, ClearFreesThePayloadAndKeepsTheType) {
  CountingDispatch d;
  VARIABLE a = MakeDispatch(&d, "x");
  a.Clear();
  EXPECT_EQ(1, d.refs);
  EXPECT_EQ(VAL_DISPATCH, a.type);
  EXPECT_EQ(nullptr, a.dispatch.pointer);

  VARIABLE image;
  image.TYPE(VAL_IMAGE);
  ASSERT_EQ(1, image.Allocate(100));
  EXPECT_EQ(100u, image.Length());
  EXPECT_GE(image.Size(), 100u);
  image.Clear();
  EXPECT_EQ(VAL_IMAGE, image.type);
  EXPECT_EQ(nullptr, image.image.handle);
  EXPECT_EQ(0u, image.image.size);
}

TEST_F(VariableTest, TypeChangeDropsTextAndReference) {
  VARIABLE v = Make("L5");
  v.TYPE(VAL_LONG);
  EXPECT_EQ(5, v.lng);  // the same type keeps the payload
  v = "abc";
  v.TYPE(VAL_GUID);
  for (unsigned char b : v.raw) EXPECT_EQ(0, b);

  CountingDispatch d;
  VARIABLE a = MakeDispatch(&d, "x");
  a.TYPE(VAL_LONG);
  EXPECT_EQ(1, d.refs);
  EXPECT_EQ(0, a.lng);
}

TEST_F(VariableTest, AllocateGrowsAndFailsSoftly) {
  VARIABLE v;
  v.TYPE(VAL_STRING);
  ASSERT_EQ(1, v.Allocate(4));
  EXPECT_STREQ("", v.text);
  std::strcpy(v.text, "abc");
  ASSERT_EQ(1, v.Allocate(200));
  EXPECT_STREQ("abc", v.text);
  EXPECT_GE(_msize(v.text), 200u);
  EXPECT_EQ(3u, v.Length());
  char* before = v.text;
  EXPECT_EQ(0, v.Allocate(0xFFFFFFF0UL));
  EXPECT_EQ(115u, VARIABLE::Error);
  EXPECT_EQ(before, v.text);
  EXPECT_STREQ("abc", v.text);

  VARIABLE number = Make("L1");
  EXPECT_EQ(0, number.Allocate(10));
  EXPECT_EQ(0u, number.Length());
}

TEST_F(VariableTest, PointerSizeFollowsOneStep) {
  EXPECT_EQ(0u, Make("S").Size());
  EXPECT_EQ(0u, Make("I").Size());
  VARIABLE guid = Make("G");
  EXPECT_EQ(16u, guid.MakePointer().Size());
  VARIABLE nowhere;
  nowhere.type = VAL_POINTER;
  EXPECT_EQ(4u, nowhere.Size());
  // A pointer to itself, or to another pointer, does not recurse.
  VARIABLE self;
  self.type = VAL_POINTER;
  self.target = &self;
  EXPECT_EQ(4u, self.Size());
  VARIABLE a, b;
  a.type = b.type = VAL_POINTER;
  a.target = &b;
  b.target = &a;
  EXPECT_EQ(4u, a.Size());
}

TEST_F(VariableTest, SettersStoreAndCallTheHookWhenLinked) {
  VARIABLE v;
  v.SetLong(5);
  EXPECT_TRUE(g_updates.empty());
  v.Link(1);
  v.SetLong(7).SetReal(2.5);
  EXPECT_EQ(VAL_REAL, v.type);
  EXPECT_EQ(2.5, v.real);
  v.SetBool(-3);
  EXPECT_EQ(-3, v.lng);  // stored as given
  v.SetMoney(15000);
  v = "text";
  v = static_cast<const char*>(nullptr);
  EXPECT_STREQ("", v.text);
  ASSERT_EQ(6u, g_updates.size());
  for (VARIABLE* p : g_updates) EXPECT_EQ(&v, p);

  // The null-safe forms do nothing for a null record.
  EXPECT_EQ(nullptr, VARIABLE::SetLong(nullptr, 1));
  EXPECT_EQ(nullptr, VARIABLE::SetText(nullptr, "a"));
  EXPECT_EQ(nullptr, VARIABLE::Assign(nullptr, v));
  EXPECT_EQ(nullptr, VARIABLE::ConvertFrom(nullptr, v));
  EXPECT_EQ(&v, VARIABLE::SetLong(&v, 9));
  EXPECT_EQ(9, v.lng);
}

TEST_F(VariableTest, SetImageKeepsOnlyARealBlock) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64);
  VARIABLE v;
  v.SetImage(block);
  EXPECT_EQ(block, v.image.handle);
  EXPECT_GE(v.image.size, 64u);
  VARIABLE empty;
  HGLOBAL discarded = GlobalAlloc(GMEM_MOVEABLE, 0);
  empty.SetImage(discarded);
  EXPECT_EQ(VAL_IMAGE, empty.type);
  EXPECT_EQ(nullptr, empty.image.handle);
  EXPECT_EQ(0u, empty.image.size);
  GlobalFree(discarded);
  v.Clear();
}

TEST_F(VariableTest, TypeNamesAndLetters) {
  EXPECT_EQ(1, VARIABLE::TypeFromLetter('L'));
  EXPECT_EQ(12, VARIABLE::TypeFromLetter('G'));
  EXPECT_EQ(255, VARIABLE::TypeFromLetter('l'));
  EXPECT_EQ(255, VARIABLE::TypeFromLetter('X'));
  EXPECT_EQ(1, VARIABLE::TypeFromName("long"));
  EXPECT_EQ(9, VARIABLE::TypeFromName("Dispatch"));
  EXPECT_EQ(0, VARIABLE::TypeFromName("FOO"));
  EXPECT_STREQ("NULL", VARIABLE::TypeName(0));
  EXPECT_STREQ("GUID", VARIABLE::TypeName(12));
  EXPECT_EQ(nullptr, VARIABLE::TypeName(13));
}

TEST_F(VariableTest, RealTextSwitchesToTheExponentForm) {
  char b[kRealTextSize];
  EXPECT_STREQ("0.000000E+000", VARIABLE::RealToText(0.0, b));
  EXPECT_STREQ("0.010000", VARIABLE::RealToText(0.01, b));
  EXPECT_STREQ("1.000000E-003", VARIABLE::RealToText(0.001, b));
  EXPECT_STREQ("2147483647.000000", VARIABLE::RealToText(2147483647.0, b));
  EXPECT_STREQ("-2147483647.000000", VARIABLE::RealToText(-2147483647.0, b));
  EXPECT_STREQ("2.147484E+009", VARIABLE::RealToText(2147483648.0, b));
}

TEST_F(VariableTest, TextOfEveryType) {
  EXPECT_EQ("0", Text(Make("N")));
  EXPECT_EQ("-12", Text(Make("L-12")));
  EXPECT_EQ("2.500000", Text(Make("R2.5")));
  EXPECT_EQ("ab", Text(Make("S:ab")));
  EXPECT_EQ("", Text(Make("S")));
  EXPECT_EQ("TRUE", Text(Make("B-1")));
  EXPECT_EQ("FALSE", Text(Make("B0")));
  EXPECT_EQ("", Text(Make("V")));
  EXPECT_EQ("1.23", Text(Make("M12345")));
  EXPECT_EQ("1.2345", Text(Make("M12345"), 1));
  EXPECT_EQ("2024.08.17 01:02:03", Text(Make("T20240817,3723")));

  char expected[64];
  VARIABLE target = Make("S:x");
  VARIABLE pointer = target.MakePointer();
  CrtFormat(expected, sizeof expected, "%p(STRING)", static_cast<void*>(&target));
  EXPECT_EQ(expected, Text(pointer));
  VARIABLE nowhere = Make("P");
  nowhere.target = nullptr;
  EXPECT_EQ("00000000(NULL)", Text(nowhere));

  VARIABLE object = Make("O");
  object.object.module = "VIMBRA";
  EXPECT_EQ("VIMBRA!00000010", Text(object));
  CountingDispatch d;
  VARIABLE disp = MakeDispatch(&d, nullptr);
  CrtFormat(expected, sizeof expected, "%p", static_cast<void*>(&d));
  EXPECT_EQ(expected, Text(disp));
  VARIABLE image = Make("I");
  image.image.handle = reinterpret_cast<HGLOBAL>(0x1234);
  image.image.size = 77;
  EXPECT_EQ("00001234(77)", Text(image));
  image.image.handle = nullptr;

  VARIABLE guid = Make("G");
  guid.guid = IID_IDispatch;
  EXPECT_EQ("{00020400-0000-0000-C000-000000000046}", Text(guid));
}

// No type writes past the size it is given, and the size is zero-filled.
TEST_F(VariableTest, TextStaysInsideTheBuffer) {
  const char* specs[] = {"N", "L-123456", "R-2147483647", "S:a long text", "B0", "P", "O",
                         "M-9223372036854775807", "D", "I", "T20240817,3723", "G", "V"};
  for (const char* spec : specs) {
    VARIABLE v = Make(spec);
    for (size_t size = 1; size < 8; ++size) {
      char buffer[16];
      std::memset(buffer, '#', sizeof buffer);
      v.GetText(buffer, size, 1);
      EXPECT_EQ('\0', buffer[size - 1]) << spec << " " << size;
      for (size_t i = size; i < sizeof buffer; ++i) EXPECT_EQ('#', buffer[i]) << spec << " " << size;
    }
  }
  VARIABLE v = Make("L12345");
  char buffer[8] = "#######";
  v.GetText(buffer, 0, 0);
  EXPECT_EQ('#', buffer[0]);
  EXPECT_STREQ("12", v.GetText(buffer, 3, 0));
}

struct ConvertCase {
  const char* target;
  const char* source;
  const char* expected;  // Describe() of the target afterwards
};

const ConvertCase kConvertCases[] = {
    {"L5", "L7", "L 7"},
    {"L5", "R3.9", "L 3"},
    {"L5", "R-3.9", "L -3"},
    {"L5", "M-19999", "L -1"},
    {"L5", "S:42x", "L 42"},
    {"L5", "S", "L 5"},
    {"L5", "N", "L 0"},
    {"L5", "B7", "L 1"},
    {"L5", "T20240817,5", "L 20240817"},
    {"L5", "G", "L!113"},
    {"L5", "P", "L!113"},
    {"R1", "L2", "R 2.000000"},
    {"R1", "M12345", "R 1.234500"},
    {"R1", "S:1.5", "R 1.500000"},
    {"R1", "S", "R 1.000000"},
    {"R1", "N", "R 0.000000E+000"},
    {"R1", "B1", "R!113"},
    {"S", "L-5", "S -5"},
    {"S", "R0", "S 0.000000E+000"},
    {"S", "M12345", "S 1.23"},
    {"S:old", "S", "S "},
    {"S", "S:new", "S new"},
    {"S", "T20240817,3723", "S 2024.08.17 01:02:03"},
    {"S:old", "N", "S "},
    {"S", "B1", "S!113"},
    {"S", "P", "S!113"},
    {"B0", "S:true", "B TRUE"},
    {"B0", "S:TRUE", "B TRUE"},
    {"B1", "S:yes", "B FALSE"},
    {"B1", "S", "B FALSE"},
    {"B1", "L0", "B FALSE"},
    {"B0", "R0.5", "B TRUE"},
    {"B0", "B-2", "B TRUE"},
    {"B0", "M10000", "B!113"},
    {"P", "L1", "P!113"},
    {"V", "L5", "V "},
    {"O", "N", "O!113"},
    {"M1", "L3", "M 3.00"},
    {"M1", "R1.23456", "M 1.23"},
    {"M1", "S:12.34567", "M 12.35"},
    {"M1", "S", "M 0.00"},
    {"M1", "N", "M 0.00"},
    {"M1", "B1", "M!113"},
    {"D", "L1", "D!113"},
    {"D", "N", "D!113"},
    {"I", "R1", "I!113"},
    {"T20240101,5", "L20240230", "T!113"},
    {"T20240101,5", "L20240817", "T 2024.08.17 00:00:00"},
    {"T20240101,5", "T20240817,3723", "T 2024.08.17 01:02:03"},
    {"T20240101,5", "S:  20240817   10:30 ", "T 2024.08.17 10:30:00"},
    {"T20240101,5", "R1", "T!113"},
    {"G", "R1", "G!113"},
    {"N", "L5", "L 5"},
    {"N", "S:ab", "S ab"},
    {"N", "N", "N 0"},
};

TEST_F(VariableTest, ConvertFromTable) {
  for (const ConvertCase& c : kConvertCases) {
    VARIABLE target = Make(c.target), source = Make(c.source);
    VARIABLE::Error = 0;
    target.ConvertFrom(source);
    EXPECT_EQ(c.expected, Describe(target)) << c.target << " <- " << c.source;
    VARIABLE::Error = 0;
  }
}

TEST_F(VariableTest, ConvertFromSpecialSources) {
  VARIABLE time = Make("T20240101,5");
  time.ConvertFrom(Make("L0"));
  EXPECT_EQ(0, time.time.date);
  EXPECT_EQ(0, time.time.seconds);
  time.ConvertFrom(Make("S"));
  EXPECT_EQ(0, time.time.date);

  // The source text is read, not rewritten.
  VARIABLE text = Make("S:  20240817   10:30 ");
  Make("T20240101,0").ConvertFrom(text);
  EXPECT_STREQ("  20240817   10:30 ", text.text);

  VARIABLE guid = Make("G");
  guid.ConvertFrom(Make("S:{00020400-0000-0000-C000-000000000046}"));
  EXPECT_EQ(0, std::memcmp(&IID_IDispatch, guid.raw, 16));
  VARIABLE back = Make("S");
  back.ConvertFrom(guid);
  EXPECT_STREQ("{00020400-0000-0000-C000-000000000046}", back.text);
  guid.ConvertFrom(Make("L5"));
  for (unsigned char b : guid.raw) EXPECT_EQ(0, b);

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 32);
  VARIABLE image = Make("I");
  image.ConvertFrom(Make("L" + std::to_string(reinterpret_cast<uintptr_t>(block))));
  EXPECT_EQ(block, image.image.handle);
  EXPECT_GE(image.image.size, 32u);
  VARIABLE shared = Make("I");
  shared.ConvertFrom(image);
  EXPECT_EQ(block, shared.image.handle);
  image.Clear();

  VARIABLE x;
  VARIABLE pointer = Make("P");
  pointer.ConvertFrom(x.MakePointer());
  EXPECT_EQ(&x, pointer.target);
  pointer.ConvertFrom(VARIABLE());
  EXPECT_EQ(VAL_POINTER, pointer.type);
  EXPECT_EQ(nullptr, pointer.target);

  VARIABLE object = Make("O"), module = Make("O");
  module.object.handle = 99;
  module.object.module = "NIMBET";
  object.ConvertFrom(module);
  EXPECT_EQ(99u, object.object.handle);
  EXPECT_STREQ("NIMBET", object.object.module);
}

TEST_F(VariableTest, DispatchAssignmentsCountReferences) {
  CountingDispatch first, second;
  VARIABLE a = MakeDispatch(&first, "first");
  {
    VARIABLE target = MakeDispatch(&second, "second");
    target.ConvertFrom(a);
    EXPECT_EQ(3, first.refs);
    EXPECT_EQ(1, second.refs);  // the previous reference was released
    EXPECT_NE(a.dispatch.name, target.dispatch.name);
    EXPECT_STREQ("first", target.dispatch.name);
    target.Assign(a);  // the same pointer again: still one reference
    EXPECT_EQ(3, first.refs);
    VARIABLE other = Make("L1");
    other.Assign(a);
    EXPECT_EQ(4, first.refs);
    EXPECT_STREQ("first", other.dispatch.name);
    other.Assign(Make("L2"));  // retyping drops the reference
    EXPECT_EQ(3, first.refs);
  }
  EXPECT_EQ(2, first.refs);
}

TEST_F(VariableTest, AssignTakesTheSourceType) {
  VARIABLE v = Make("S:old");
  v.Assign(Make("L5"));
  EXPECT_EQ("L 5", Describe(v));
  v.Assign(Make("M12345"));
  EXPECT_EQ("M 1.23", Describe(v));
  v.Assign(Make("T20240817,1"));
  EXPECT_EQ("T 2024.08.17 00:00:01", Describe(v));
  VARIABLE text = Make("S:old");
  text.Assign(Make("S"));
  EXPECT_STREQ("old", text.text);  // a source without text keeps the old one
  text.Assign(Make("S:new and longer"));
  EXPECT_STREQ("new and longer", text.text);
  VARIABLE guid = Make("G");
  guid.raw[15] = 7;
  v.Assign(guid);
  EXPECT_EQ(7, v.raw[15]);
}

TEST_F(VariableTest, AssignmentsCallTheHookOnlyWithoutAnError) {
  VARIABLE v = Make("L1");
  v.Link(1);
  v.Assign(Make("L2"));
  v.ConvertFrom(Make("R3.5"));
  EXPECT_EQ(3, v.lng);
  EXPECT_EQ(2u, g_updates.size());
  v.ConvertFrom(Make("G"));  // 113: no hook
  EXPECT_EQ(2u, g_updates.size());
  v.Assign(Make("L4"));  // the error word is sticky
  EXPECT_EQ(4, v.lng);
  EXPECT_EQ(2u, g_updates.size());
  VARIABLE::Error = 0;
  VARIABLE empty;
  empty.Link(1);
  empty.ConvertFrom(VARIABLE());  // NULL meets NULL: nothing happens
  EXPECT_EQ(2u, g_updates.size());
}

TEST_F(VariableTest, RoundByType) {
  EXPECT_EQ("L 1300", Describe(Make("L1250").Round(-2)));
  EXPECT_EQ("R 2.000000", Describe(Make("R2.5").Round(0)));
  EXPECT_EQ("M 1.23", Describe(Make("M12345").Round(2)));
  VARIABLE t = Make("T20240817,38232");  // 10:37:12
  EXPECT_EQ("T 2024.08.01 00:00:00", Describe(t.Round(-1)));
  EXPECT_EQ("T 2024.01.01 00:00:00", Describe(t.Round(-3)));
  EXPECT_EQ("T 2024.08.17 00:00:00", Describe(t.Round(0)));
  EXPECT_EQ("T 2024.08.17 10:00:00", Describe(t.Round(1)));
  EXPECT_EQ("T 2024.08.17 10:37:00", Describe(t.Round(2)));
  EXPECT_EQ(38232, t.time.seconds);
  VARIABLE text = Make("S:abc");
  VARIABLE rounded = text.Round(1);
  EXPECT_EQ(116u, VARIABLE::Error);
  EXPECT_EQ(VAL_STRING, rounded.type);
  EXPECT_EQ(nullptr, rounded.text);
}

TEST_F(VariableTest, UnaryOperators) {
  VARIABLE v = Make("L5");
  v.Link(1);
  EXPECT_EQ(-6, v.BitNot().lng);
  EXPECT_EQ(6, v.Negate().lng);
  EXPECT_EQ(2u, g_updates.size());
  VARIABLE b = Make("B5");
  EXPECT_EQ(0, b.Not().lng);
  EXPECT_EQ(1, b.Not().lng);
  EXPECT_EQ("R -2.500000", Describe(Make("R2.5").Negate()));
  EXPECT_EQ("M -1.50", Describe(Make("M15000").Negate()));
  VARIABLE s = Make("S:ab");
  s.Link(1);
  s.Negate();
  EXPECT_EQ(113u, VARIABLE::Error);
  EXPECT_STREQ("ab", s.text);
  EXPECT_EQ(2u, g_updates.size());
  VARIABLE::Error = 0;
  Make("B1").BitNot();
  EXPECT_EQ(113u, VARIABLE::Error);
  VARIABLE::Error = 0;
  Make("L1").Not();
  EXPECT_EQ(113u, VARIABLE::Error);
}

}  // namespace
