#include <gtest/gtest.h>

#include "value_test_support.h"

namespace {

class VariantTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VARIABLE::Error = 0;
    g_updates.clear();
    VariantInit(&in);
  }
  void TearDown() override { VariantClear(&in); }
  std::string Read() {
    VARIABLE v;
    v.SetVariant(&in);
    return Describe(v);
  }
  VARIANT in;
};

TEST_F(VariantTest, Numbers) {
  in.vt = VT_I2;
  in.iVal = -5;
  EXPECT_EQ("L -5", Read());
  in.vt = VT_UI2;
  in.uiVal = 65535;
  EXPECT_EQ("L 65535", Read());
  in.vt = VT_UI4;
  in.ulVal = 0xFFFFFFFFu;
  EXPECT_EQ("L -1", Read());
  LONG referenced = 42;
  in.vt = VT_I4 | VT_BYREF;
  in.plVal = &referenced;
  EXPECT_EQ("L 42", Read());
  in.vt = VT_R4;
  in.fltVal = 0.5f;
  EXPECT_EQ("R 0.500000", Read());
  in.vt = VT_R8;
  in.dblVal = 2.25;
  EXPECT_EQ("R 2.250000", Read());
  in.vt = VT_CY;
  in.cyVal.int64 = 15000;
  EXPECT_EQ("M 1.50", Read());
  in.vt = VT_BOOL;
  in.boolVal = VARIANT_TRUE;
  EXPECT_EQ("B TRUE", Read());
  in.boolVal = 1;
  EXPECT_EQ("B FALSE", Read());
  VARIANT_BOOL flag = VARIANT_TRUE;
  in.vt = VT_BOOL | VT_BYREF;
  in.pboolVal = &flag;
  EXPECT_EQ("B TRUE", Read());
  in.vt = VT_EMPTY;
}

TEST_F(VariantTest, DateBecomesADateNumber) {
  SYSTEMTIME st = {};
  st.wYear = 2024;
  st.wMonth = 8;
  st.wDay = 17;
  st.wHour = 14;
  st.wMinute = 30;
  in.vt = VT_DATE;
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &in.date));
  EXPECT_EQ("L 20240817", Read());
}

TEST_F(VariantTest, DecimalByScale) {
  in.vt = VT_R8;
  in.dblVal = 2.5;
  ASSERT_EQ(S_OK, VariantChangeType(&in, &in, 0, VT_DECIMAL));
  EXPECT_EQ("R 2.500000", Read());
  EXPECT_EQ(VT_DECIMAL, in.vt);  // the caller's VARIANT is left as it was
  VariantClear(&in);
  in.vt = VT_I4;
  in.lVal = 7;
  ASSERT_EQ(S_OK, VariantChangeType(&in, &in, 0, VT_DECIMAL));
  EXPECT_EQ("L 7", Read());
}

// The VARIANT stays the caller's: its BSTR is read, never freed here, so the
// caller's VariantClear is the one free.
TEST_F(VariantTest, TextIsCopiedAndLeftToItsOwner) {
  in.vt = VT_BSTR;
  in.bstrVal = SysAllocString(L"abc");
  EXPECT_EQ("S abc", Read());
  EXPECT_EQ(3u, SysStringLen(in.bstrVal));
  EXPECT_EQ(0, wcscmp(L"abc", in.bstrVal));
  BSTR held = SysAllocString(L"by reference");
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BSTR | VT_BYREF;
  ref.pbstrVal = &held;
  VARIABLE v;
  v.SetVariant(&ref);
  EXPECT_STREQ("by reference", v.text);
  SysFreeString(held);
  VariantClear(&in);
  in.vt = VT_BSTR;
  in.bstrVal = nullptr;
  EXPECT_EQ("S ", Read());
}

TEST_F(VariantTest, DispatchTakesItsOwnReference) {
  CountingDispatch d;
  in.vt = VT_DISPATCH;
  in.pdispVal = &d;
  {
    VARIABLE v;
    v.SetVariant(&in);
    EXPECT_EQ(VAL_DISPATCH, v.type);
    EXPECT_EQ(&d, v.dispatch.pointer);
    EXPECT_EQ(nullptr, v.dispatch.name);
    EXPECT_EQ(2, d.refs);
    v.SetVariant(&in);  // the same pointer again
    EXPECT_EQ(2, d.refs);
  }
  EXPECT_EQ(1, d.refs);
  IDispatch* p = &d;
  in.vt = VT_DISPATCH | VT_BYREF;
  in.ppdispVal = &p;
  EXPECT_EQ("N 0", Read());  // by reference it is not taken
  in.vt = VT_EMPTY;
}

TEST_F(VariantTest, ArraysAndUnknownTypesLeaveTheRecord) {
  VARIABLE v = Make("L9");
  v.Link(1);
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 2);
  in.vt = VT_ARRAY | VT_I4;
  in.parray = array;
  v.SetVariant(&in);
  EXPECT_EQ("L 9", Describe(v));
  VARIANT vector;
  VariantInit(&vector);
  vector.vt = VT_VECTOR | VT_I4;
  v.SetVariant(&vector);
  vector.vt = VT_UNKNOWN;
  v.SetVariant(&vector);
  EXPECT_EQ("L 9", Describe(v));
  EXPECT_TRUE(g_updates.empty());
  in.vt = VT_I4;
  in.lVal = 1;
  v.SetVariant(&in);
  EXPECT_EQ(1u, g_updates.size());
  SafeArrayDestroy(array);
  EXPECT_EQ(nullptr, VARIABLE::SetVariant(nullptr, &in));
}

}  // namespace
