// PEEK, the POKE assignment, MCOPY and FONT.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "builtin_test_support.h"

namespace {

VARIABLE MakeImage(uint32_t size) {
  VARIABLE image;
  image.TYPE(VAL_IMAGE);
  image.Allocate(size);
  return image;
}

TEST(BuiltinMemory, PokeThenPeekEachWidth) {
  VARIABLE image = MakeImage(16);
  EXPECT_EQ(Assign("POKE", image, {L(0), S("L")}, L(-123456)).rc, 1);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(0), S("L")}).Show(), "L:-123456");
  EXPECT_EQ(Assign("POKE", image, {L(4), S("W")}, L(0x12345)).rc, 1);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(4), S("W")}).Show(), "L:9029");
  EXPECT_EQ(Assign("POKE", image, {L(6), S("B")}, L(0x1FF)).rc, 1);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(6), S("B")}).Show(), "L:255");
  // "S": the text, then zeros up to the count; no zero when it fills it.
  Outcome out = Assign("POKE", image, {L(8), S("S4")}, S("ab"));
  EXPECT_EQ(out.rc, 1);
  EXPECT_EQ(out.pushed, 0);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(8), S("S8")}).Show(), "S:ab");
  EXPECT_EQ(Assign("POKE", image, {L(12), S("S2")}, S("xyz")).rc, 1);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(12), S("S2")}).Show(), "S:xy");
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(12), S("Q")}).Show(), "N:0");
  // "P": the address of a STRING variable's text, read back as a copy.
  VARIABLE text = S("hello");
  EXPECT_EQ(Assign("POKE", image, {L(0), S("P")}, Ptr(text)).rc, 1);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(0), S("P")}).Show(), "S:hello");
  EXPECT_EQ(Assign("POKE", image, {L(0), S("L")}, L(0)).rc, 1);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(0), S("P")}).Show(), "S:");
}

TEST(BuiltinMemory, StringTargets) {
  VARIABLE text = S("abcdef");
  EXPECT_EQ(Call("PEEK", {Ptr(text), L(1), S("B")}).Show(), "L:98");
  EXPECT_EQ(Call("PEEK", {Ptr(text), L(2), S("S3")}).Show(), "S:cde");
  EXPECT_EQ(Assign("POKE", text, {L(1), S("S2")}, S("XY")).rc, 1);
  EXPECT_STREQ(text.text, "aXYdef");
  // The terminating zero is not the script's to overwrite.
  EXPECT_EQ(Assign("POKE", text, {L(5), S("W")}, L(0x4141)).Show(), "!117");
  EXPECT_STREQ(text.text, "aXYdef");
}

TEST(BuiltinMemory, RefusedAccesses) {
  VARIABLE image = MakeImage(4);
  VARIABLE number = L(1);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(0), S("S0")}).Show(), "!112");
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(0), S("S")}).Show(), "!112");
  EXPECT_EQ(Assign("POKE", image, {L(0), S("Sx")}, S("a")).Show(), "!112");
  EXPECT_EQ(Call("PEEK", {Ptr(number), L(0), S("L")}).Show(), "!116");
  EXPECT_EQ(Call("PEEK", {L(0), L(0), S("L")}).Show(), "!116");
  EXPECT_EQ(Call("PEEK", {Ptr(image), R(0), S("L")}).Show(), "!116");
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(0), L(1)}).Show(), "!116");
  EXPECT_EQ(Assign("POKE", image, {L(0), S("L")}, S("1")).Show(), "!116");
  EXPECT_EQ(Assign("POKE", image, {L(0), S("P")}, Ptr(number)).Show(), "!116");
  EXPECT_EQ(Assign("POKE", number, {L(0), S("L")}, L(1)).Show(), "!116");
  // Offsets and widths must stay inside the block.
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(1), S("L")}).Show(), "!117");
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(-1), S("B")}).Show(), "!117");
  EXPECT_EQ(Assign("POKE", image, {L(2), S("L")}, L(1)).Show(), "!117");
  EXPECT_EQ(Assign("POKE", image, {L(0), S("S5")}, S("a")).Show(), "!117");
  // "S" reads stop at the block's end; an address read leads nowhere: 9.
  EXPECT_EQ(Assign("POKE", image, {L(0), S("S4")}, S("abcd")).rc, 1);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(0), S("S99")}).Show(), "S:abcd");
  EXPECT_EQ(Assign("POKE", image, {L(0), S("L")}, L(16)).rc, 1);
  EXPECT_EQ(Call("PEEK", {Ptr(image), L(0), S("P")}).Show(), "!9");
  // An unknown width writes nothing but still takes the value.
  Outcome out = Assign("POKE", image, {L(0), S("Z")}, L(7));
  EXPECT_EQ(out.rc, 1);
  EXPECT_EQ(out.pushed, 0);
}

TEST(BuiltinMemory, Mcopy) {
  EXPECT_EQ(Call("MCOPY", {L(0)}).Show(), "S:");
  EXPECT_EQ(Call("MCOPY", {L(0), S("x")}).Show(), "L:0");
  char buffer[8] = "zzzzzzz";
  int32_t address = static_cast<int32_t>(reinterpret_cast<uintptr_t>(buffer));
  EXPECT_EQ(Call("MCOPY", {L(address), S("abc")}).Show(), "L:3");
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(Call("MCOPY", {L(address)}).Show(), "S:abc");
  EXPECT_EQ(Call("MCOPY", {L(address), S("")}).Show(), "L:0");
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(Call("MCOPY", {L(16)}).Show(), "!9");
  EXPECT_EQ(Call("MCOPY", {L(16), S("abc")}).Show(), "!9");
  // Read-only memory is refused, not written.
  static const char kConstant[] = "const";
  int32_t readOnly = static_cast<int32_t>(reinterpret_cast<uintptr_t>(kConstant));
  EXPECT_EQ(Call("MCOPY", {L(readOnly)}).Show(), "S:const");
  EXPECT_EQ(Call("MCOPY", {L(readOnly), S("x")}).Show(), "!9");
  EXPECT_EQ(Call("MCOPY", {S("1")}).Show(), "!116");
  EXPECT_EQ(Call("MCOPY", {L(address), L(1)}).Show(), "!116");
}

TEST(BuiltinMemory, Font) {
  HDC dc = CreateCompatibleDC(nullptr);
  int32_t hdc = static_cast<int32_t>(reinterpret_cast<uintptr_t>(dc));
  Outcome out = Call("FONT", {L(hdc), S("Arial"), L(12), S("Bold")});
  ASSERT_EQ(out.result.type, VAL_LONG);
  HFONT font = reinterpret_cast<HFONT>(static_cast<uintptr_t>(out.result.lng));
  LOGFONTA info = {};
  ASSERT_NE(GetObjectA(font, sizeof info, &info), 0);
  EXPECT_EQ(info.lfWeight, 700);
  EXPECT_EQ(info.lfItalic, 0);
  EXPECT_EQ(info.lfHeight, -MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72));
  EXPECT_STREQ(info.lfFaceName, "Arial");
  DeleteObject(font);
  // A face longer than 31 characters is cut to them.
  out = Call("FONT", {L(hdc), S("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"), L(10), S("I")});
  font = reinterpret_cast<HFONT>(static_cast<uintptr_t>(out.result.lng));
  ASSERT_NE(GetObjectA(font, sizeof info, &info), 0);
  EXPECT_EQ(info.lfItalic, 1);
  EXPECT_EQ(std::strlen(info.lfFaceName), 31u);
  DeleteObject(font);
  DeleteDC(dc);
  EXPECT_EQ(Call("FONT", {L(0), L(1), L(10), S("")}).Show(), "!116");
}

}  // namespace
