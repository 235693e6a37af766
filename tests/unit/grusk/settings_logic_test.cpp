// The pure parts of the print library: the INI values, the millimetre
// scale and the printer names, with damaged values read from guarded copies.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "device_scale.h"
#include "mutator.h"
#include "printer_names.h"
#include "settings_text.h"

namespace {

Margins Margin(const std::string& text) { return ParseMargins(text.data(), text.size()); }
GruskFont Font(const std::string& text) { return ParseFont(text.data(), text.size()); }

void ExpectMargins(const Margins& m, int left, int top, int right, int bottom) {
  EXPECT_EQ(m.left, left);
  EXPECT_EQ(m.top, top);
  EXPECT_EQ(m.right, right);
  EXPECT_EQ(m.bottom, bottom);
}

TEST(PrintMarginValue, FourNumbersAndFewer) {
  ExpectMargins(Margin("10,15,10,15"), 10, 15, 10, 15);
  ExpectMargins(Margin("-5;7 8x9"), -5, 7, 8, 9);  // any one separator
  // Fewer than four: those present in order, the rest 0.
  ExpectMargins(Margin("12,34"), 12, 34, 0, 0);
  ExpectMargins(Margin("7"), 7, 0, 0, 0);
  ExpectMargins(Margin(""), 0, 0, 0, 0);
  ExpectMargins(Margin("1,,3,4"), 1, 0, 0, 0);  // a missing number ends the value
  ExpectMargins(Margin("99999999999,-99999999999,1,2"), INT_MAX, INT_MIN, 1, 2);
  char text[64];
  FormatMargins(Margins{20, 25, -10, 15}, text, sizeof text);
  EXPECT_STREQ(text, "20,25,-10,15");
}

TEST(PrintFontValue, FaceAndSize) {
  GruskFont f = Font("Arial,12");
  EXPECT_STREQ(f.face, "Arial");
  EXPECT_EQ(f.points, 12);
  EXPECT_EQ(f.reserved, 0);
  f = Font("DejaVu Sans,  , 9");  // separators "," and blanks before the size
  EXPECT_STREQ(f.face, "DejaVu Sans");
  EXPECT_EQ(f.points, 9);
  // A Cyrillic face: its first byte is above "A" only as an unsigned byte.
  f = Font("\xCA\xF3\xF0\xFC\xE5\xF0,14");
  EXPECT_STREQ(f.face, "\xCA\xF3\xF0\xFC\xE5\xF0");
  EXPECT_EQ(f.points, 14);
  f = Font("Big,99999999");
  EXPECT_EQ(f.points, 0xFFFF);
}

TEST(PrintFontValue, UnreadableValuesGiveSystemTen) {
  for (const char* value : {"", "10,Arial", " Arial,10", ",10", "Arial", "Arial,", "Arial,x10", "Arial,-4", "@Font,10"}) {
    GruskFont f = Font(value);
    EXPECT_STREQ(f.face, "System") << value;
    EXPECT_EQ(f.points, 10) << value;
  }
}

TEST(PrintFontValue, LongFacesAreCutAndReadBack) {
  std::string longFace(40, 'F');
  GruskFont f = Font(longFace + ",11");
  EXPECT_EQ(std::string(f.face), std::string(31, 'F'));
  EXPECT_EQ(f.points, 11);
  char text[64];
  FormatFont(f, text, sizeof text);
  EXPECT_EQ(std::string(text), std::string(31, 'F') + ",11");
}

TEST(PrintSettingsValues, DamagedValuesAreReadWithinTheirBounds) {
  // Each value is read from a copy whose last byte is followed by a page
  // that cannot be read: any overread faults at once.
  Guarded guard(4096);
  Mutator mutator(0x5EED);
  const std::string goods[] = {"10,15,10,15", "DejaVu Sans,12", "Arial,10", "\xCA\xF3\xF0\xFC\xE5\xF0,14",
                               "-2147483648,2147483647,0,0"};
  int reads = 0;
  for (const std::string& good : goods) {
    Bytes bytes(good.begin(), good.end());
    for (int i = 0; i < 2000; ++i) {
      Bytes damaged = mutator.Mutate(bytes);
      if (i % 3 == 0) damaged.resize(mutator.Next() % (damaged.size() + 1));
      const char* text = reinterpret_cast<const char*>(guard.Put(damaged));
      ASSERT_NE(text, nullptr);
      ParseMargins(text, damaged.size());
      GruskFont f = ParseFont(text, damaged.size());
      ASSERT_NE(std::memchr(f.face, '\0', sizeof f.face), nullptr);  // always terminated
      ASSERT_NE(f.face[0], '\0');
      ++reads;
    }
  }
  EXPECT_EQ(reads, 10000);
}

TEST(MillimetreScale, DeviceUnitsFromTheFourCaps) {
  MillimetreScale pdf = ScaleFromCaps(2479, 209, 3508, 297);
  RECT r = MarginsInUnits(Margins{10, 15, 10, 15}, pdf);
  EXPECT_EQ(r.left, 118);
  EXPECT_EQ(r.top, 177);
  EXPECT_EQ(r.right, 118);
  EXPECT_EQ(r.bottom, 177);
  EXPECT_EQ(ToDeviceUnits(10, ScaleFromCaps(2400, 203, 0, 1).horizontal), 118);
  // Products truncate toward zero, also below zero.
  EXPECT_EQ(ToDeviceUnits(-10, pdf.horizontal), -118);
  // The 1024x768 screen of the tests.
  r = MarginsInUnits(Margins{10, 15, 10, 15}, ScaleFromCaps(1024, 270, 768, 203));
  EXPECT_EQ(r.left, 37);
  EXPECT_EQ(r.top, 56);
}

TEST(MillimetreScale, DevicesWithoutSizeAndHugeMargins) {
  MillimetreScale none = ScaleFromCaps(2479, 0, 3508, 0);
  EXPECT_EQ(none.horizontal, 0.0f);
  EXPECT_EQ(none.vertical, 0.0f);
  EXPECT_EQ(ToDeviceUnits(INT_MAX, none.horizontal), 0);
  MillimetreScale pdf = ScaleFromCaps(2479, 209, 3508, 297);
  EXPECT_EQ(ToDeviceUnits(INT_MAX, pdf.horizontal), INT_MAX);
  EXPECT_EQ(ToDeviceUnits(INT_MIN, pdf.vertical), INT_MIN);
}

class PrinterNameTest : public ::testing::Test {
 protected:
  char device[16], driver[16], port[16];
  PrinterNames names{device, driver, port, sizeof device};
};

TEST_F(PrinterNameTest, DeviceLineSplitsAtCommasAndBlanks) {
  EXPECT_TRUE(NamesFromDeviceLine("PDF,wineps.drv,CUPS:PDF", names));
  EXPECT_STREQ(device, "PDF");
  EXPECT_STREQ(driver, "wineps.drv");
  EXPECT_STREQ(port, "CUPS:PDF");
  EXPECT_TRUE(NamesFromDeviceLine("Laser Jet,winspool, LPT1:", names));
  EXPECT_STREQ(device, "Laser Jet");  // blanks split only driver and port
  EXPECT_STREQ(port, "LPT1:");
  EXPECT_TRUE(NamesFromDeviceLine("AVeryLongPrinterName,d,p", names));
  EXPECT_STREQ(device, "AVeryLongPrinte");  // cut to the buffer
  EXPECT_FALSE(NamesFromDeviceLine("PDF,wineps.drv", names));
  EXPECT_FALSE(NamesFromDeviceLine("", names));
}

TEST_F(PrinterNameTest, DevNamesOffsetsStayInsideTheBlock) {
  Bytes block(8, 0);
  auto put = [&](size_t at, const char* text) {
    block.insert(block.end(), text, text + std::strlen(text) + 1);
    block[at] = static_cast<unsigned char>(block.size() - std::strlen(text) - 1);
  };
  put(0, "wineps.drv");  // wDriverOffset
  put(2, "PDF");         // wDeviceOffset
  put(4, "CUPS:PDF");    // wOutputOffset
  const DEVNAMES* devNames = reinterpret_cast<const DEVNAMES*>(block.data());
  EXPECT_TRUE(NamesFromDevNames(devNames, block.size(), names));
  EXPECT_STREQ(device, "PDF");
  EXPECT_STREQ(driver, "wineps.drv");
  EXPECT_STREQ(port, "CUPS:PDF");

  Guarded guard(4096);
  Bytes bad = block;
  bad[4] = 200;  // the port past the end
  EXPECT_FALSE(NamesFromDevNames(reinterpret_cast<const DEVNAMES*>(guard.Put(bad)), bad.size(), names));
  EXPECT_STREQ(device, "");
  bad = block;
  bad.resize(bad.size() - 1);  // the last name without its zero
  EXPECT_TRUE(NamesFromDevNames(reinterpret_cast<const DEVNAMES*>(guard.Put(bad)), bad.size(), names));
  EXPECT_STREQ(port, "CUPS:PDF");
  EXPECT_FALSE(NamesFromDevNames(reinterpret_cast<const DEVNAMES*>(guard.Put(Bytes(6, 0))), 6, names));
}

}  // namespace
