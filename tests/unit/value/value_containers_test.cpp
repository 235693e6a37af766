#include <gtest/gtest.h>

#include "value_matrix.h"
#include "value_stack.h"
#include "value_test_support.h"

namespace {

class ContainersTest : public ::testing::Test {
 protected:
  void SetUp() override { VARIABLE::Error = 0; }
  void TearDown() override { VARIABLE::Error = 0; }
};

TEST_F(ContainersTest, StackPushesPopsAndPeeks) {
  ValueStack stack(8);
  EXPECT_EQ(1, stack.PushLong(1));
  stack.PushReal(0.5f);
  stack.PushString("abc");
  stack.PushBool(-1);
  EXPECT_EQ(4, stack.Top());
  EXPECT_EQ("L 1", Describe(*stack.Item(0)));
  EXPECT_EQ("R 0.500000", Describe(*stack.Item(1)));
  EXPECT_EQ("B TRUE", Describe(*stack.Peek(-1)));
  EXPECT_EQ("S abc", Describe(*stack.Peek(-2)));
  VARIABLE* top = stack.Pop();
  EXPECT_EQ(3, stack.Top());
  EXPECT_EQ(-1, top->lng);
  VARIABLE* text = stack.Pop();
  EXPECT_STREQ("abc", text->text);  // still valid until the next push
  stack.Pop();
  stack.Pop();
  EXPECT_EQ(nullptr, stack.TryPop());
  EXPECT_EQ(0, stack.Top());
  // Pop on an empty stack does not wrap the top.
  EXPECT_EQ(stack.Item(0), stack.Pop());
  EXPECT_EQ(0, stack.Top());
  EXPECT_EQ(1, stack.PushLong(3));
  EXPECT_EQ(1, stack.Top());
}

TEST_F(ContainersTest, StackReusesTextBlocksAndCopiesDeeply) {
  ValueStack stack(4);
  stack.PushString("a longer text");
  char* block = stack.Pop()->text;
  stack.PushString("short");
  EXPECT_EQ(block, stack.Peek(-1)->text);
  EXPECT_STREQ("short", stack.Peek(-1)->text);
  VARIABLE source = Make("S:copied");
  EXPECT_EQ(1, stack.Push(&source));
  EXPECT_NE(source.text, stack.Peek(-1)->text);
  EXPECT_STREQ("copied", stack.Peek(-1)->text);
  EXPECT_EQ(0, stack.Push(nullptr));
  // Pushing a popped record back into its own slot keeps it.
  VARIABLE* popped = stack.Pop();
  EXPECT_EQ(1, stack.Push(popped));
  EXPECT_STREQ("copied", stack.Peek(-1)->text);
  VARIABLE money = Make("M12345");
  stack.Push(&money);
  EXPECT_EQ("M 1.23", Describe(*stack.Peek(-1)));
}

TEST_F(ContainersTest, FullStackRefusesInsteadOfOverrunning) {
  ValueStack stack(2);
  EXPECT_EQ(1, stack.PushLong(1));
  EXPECT_EQ(1, stack.PushLong(2));
  EXPECT_EQ(0, stack.PushLong(3));
  EXPECT_EQ(115u, VARIABLE::Error);
  VARIABLE v = Make("L4");
  EXPECT_EQ(0, stack.Push(&v));
  EXPECT_EQ(0, stack.PushString("x"));
  EXPECT_EQ(2, stack.Top());
  EXPECT_EQ(2, stack.Peek(-1)->lng);
}

TEST_F(ContainersTest, StackReleasesDispatchSlots) {
  CountingDispatch d;
  {
    ValueStack stack(4);
    VARIABLE v = MakeDispatch(&d, "name");
    stack.Push(&v);
    stack.Push(&v);
    EXPECT_EQ(4, d.refs);
    stack.Pop();
    stack.PushLong(1);  // the slot is reused by another type
    EXPECT_EQ(3, d.refs);
  }
  EXPECT_EQ(1, d.refs);
}

TEST_F(ContainersTest, MatrixShapeAndBounds) {
  ValueMatrix one(0, 0, VAL_LONG);
  EXPECT_EQ(1, one.Rows());
  EXPECT_EQ(1, one.Cols());
  EXPECT_EQ("L 0", Describe(*one.At(0, 0)));

  ValueMatrix m(2, 3, VAL_LONG);
  for (int i = 0; i < 6; ++i) m.At(i / 3, i % 3)->lng = i;
  EXPECT_EQ(0u, VARIABLE::Error);
  EXPECT_EQ(m.Elements(), m.At(2, 0));
  EXPECT_EQ(117u, VARIABLE::Error);
  VARIABLE::Error = 0;
  EXPECT_EQ(nullptr, m.Element(2, 0));
  EXPECT_EQ(117u, VARIABLE::Error);
  VARIABLE::Error = 0;
  m.At(-1, 0);
  EXPECT_EQ(117u, VARIABLE::Error);
  VARIABLE::Error = 0;
  m.At(0, 3);
  EXPECT_EQ(117u, VARIABLE::Error);
  VARIABLE::Error = 0;
  EXPECT_EQ(5, m.At(1, 2)->lng);

  // Records keep their linear positions: former (1, 0) becomes (1, 1).
  EXPECT_EQ(0u, m.Resize(3, 2));
  EXPECT_EQ(3, m.At(1, 1)->lng);
  EXPECT_EQ(5, m.At(2, 1)->lng);
}

TEST_F(ContainersTest, MatrixGrowsAndShrinksWithItsType) {
  ValueMatrix m(1, 2, VAL_STRING);
  *m.At(0, 0) = "a";
  *m.At(0, 1) = "b";
  EXPECT_EQ(0u, m.Resize(3, 3));
  EXPECT_STREQ("a", m.At(0, 0)->text);
  EXPECT_EQ(VAL_STRING, m.At(2, 2)->type);
  EXPECT_EQ(nullptr, m.At(2, 2)->text);
  EXPECT_EQ(0u, m.Resize(1, 1));
  VARIABLE* dropped = m.Elements() + 1;
  EXPECT_EQ(VAL_STRING, dropped->type);
  EXPECT_EQ(nullptr, dropped->text);
  EXPECT_EQ(0u, m.Resize(1, 2));
  EXPECT_EQ(nullptr, m.At(0, 1)->text);
  EXPECT_EQ(0u, VARIABLE::Error);
}

TEST_F(ContainersTest, MatrixTooLargeToAllocateFails) {
  ValueMatrix huge(65535, 65535, VAL_LONG);
  EXPECT_EQ(115u, VARIABLE::Error);
  EXPECT_EQ(0, huge.Rows());
  EXPECT_EQ(nullptr, huge.Element(0, 0));
  VARIABLE::Error = 0;
  ValueMatrix m(2, 2, VAL_LONG);
  m.At(1, 1)->lng = 7;
  EXPECT_EQ(115u, m.Resize(65535, 65535));
  EXPECT_EQ(2, m.Rows());
  EXPECT_EQ(7, m.At(1, 1)->lng);
}

TEST_F(ContainersTest, MatrixReleasesDispatchElements) {
  CountingDispatch d;
  {
    ValueMatrix m(1, 3, VAL_DISPATCH);
    VARIABLE v = MakeDispatch(&d, nullptr);
    for (int c = 0; c < 3; ++c) m.At(0, c)->ConvertFrom(v);
    EXPECT_EQ(5, d.refs);
    m.Resize(1, 1);
    EXPECT_EQ(3, d.refs);
  }
  EXPECT_EQ(1, d.refs);
}

}  // namespace
