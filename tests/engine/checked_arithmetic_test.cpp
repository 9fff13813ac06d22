#include "checked_arithmetic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "runtime_error.h"

namespace velmoro {
namespace {

ErrorKind KindOf(void (*operation)()) {
  try {
    operation();
  } catch (const RuntimeError& error) {
    return error.kind();
  }
  ADD_FAILURE() << "no error raised";
  return ErrorKind::BoundsError;
}

TEST(ToInteger, KeepsEveryValueInRange) {
  EXPECT_EQ(ToInteger(32767), 32767);
  EXPECT_EQ(ToInteger(-32768), -32768);
  EXPECT_EQ(ToInteger(0), 0);
}

TEST(ToInteger, RaisesOverflowOutsideRange) {
  EXPECT_EQ(KindOf([] { (void)ToInteger(32768); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([] { (void)ToInteger(-32769); }), ErrorKind::Overflow);
}

TEST(CheckedSums, AgreeWithWideArithmeticAtTheEdges) {
  // Sums near both ends of the Integer range, checked against 64-bit results.
  const int values[] = {-32768, -32767, -1, 0, 1, 16384, 32766, 32767};
  for (const int a : values) {
    for (const int b : values) {
      SCOPED_TRACE(testing::Message() << a << " and " << b);
      const std::int64_t sum = std::int64_t{a} + b;
      const bool fits = sum >= -32768 && sum <= 32767;
      const auto x = static_cast<Integer>(a);
      const auto y = static_cast<Integer>(b);
      if (fits) {
        EXPECT_EQ(AddInteger(x, y), sum);
      } else {
        EXPECT_THROW((void)AddInteger(x, y), RuntimeError);
      }
    }
  }
}

TEST(CheckedSums, LongRaisesOverflowPastItsRange) {
  constexpr Long kMax = std::numeric_limits<Long>::max();
  constexpr Long kMin = std::numeric_limits<Long>::min();
  EXPECT_EQ(AddLong(kMax - 1, 1), kMax);
  EXPECT_THROW((void)AddLong(kMax, 1), RuntimeError);
  EXPECT_THROW((void)SubtractLong(kMin, 1), RuntimeError);
  EXPECT_THROW((void)SubtractInteger(-32768, 1), RuntimeError);
  EXPECT_THROW((void)Abs(kMin), RuntimeError);
  EXPECT_EQ(Abs(-5), 5);
}

}  // namespace
}  // namespace velmoro
