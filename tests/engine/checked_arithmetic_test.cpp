#include "checked_arithmetic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "engine_test_support.h"
#include "model_primitives.h"

namespace velmoro {

using internal::Abs;
using internal::AddInteger;
using internal::SubtractLong;
using internal::ToInteger;
using internal::ToLong;

namespace {

constexpr Long kLongMax = std::numeric_limits<Long>::max();
constexpr Long kLongMin = std::numeric_limits<Long>::min();

TEST(ToInteger, KeepsEveryValueInRange) {
  EXPECT_EQ(ToInteger(32767), 32767);
  EXPECT_EQ(ToInteger(-32768), -32768);
  EXPECT_EQ(ToInteger(0), 0);
}

TEST(ToInteger, RaisesOverflowOutsideRange) {
  for (const Long x : {32768, -32769, kLongMax, kLongMin}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(RaisedKind([x] { return ToInteger(x); }), ErrorKind::Overflow);
  }
}

TEST(ToLong, RaisesOverflowOutsideRange) {
  EXPECT_EQ(ToLong(std::int64_t{kLongMax}), kLongMax);
  EXPECT_EQ(ToLong(std::int64_t{kLongMin}), kLongMin);
  EXPECT_EQ(RaisedKind([] { return ToLong(std::int64_t{kLongMax} + 1); }),
            ErrorKind::Overflow);
  EXPECT_EQ(RaisedKind([] { return ToLong(std::int64_t{kLongMin} - 1); }),
            ErrorKind::Overflow);
}

struct IntegerOperation {
  const char* name;
  Integer (*checked)(Integer, Integer);
  std::int64_t (*exact)(std::int64_t, std::int64_t);
};

TEST(CheckedSums, IntegerSumsAndDifferencesAgreeWithWideArithmetic) {
  const IntegerOperation operations[] = {
      {"+", AddInteger, [](std::int64_t a, std::int64_t b) { return a + b; }},
      {"-", SubtractInteger, [](std::int64_t a, std::int64_t b) { return a - b; }},
  };
  // Operands near both ends of the Integer range, against 64-bit results.
  const int values[] = {-32768, -32767, -1, 0, 1, 16384, 32766, 32767};
  for (const IntegerOperation& operation : operations) {
    for (const int a : values) {
      for (const int b : values) {
        SCOPED_TRACE(testing::Message() << a << ' ' << operation.name << ' ' << b);
        const auto x = static_cast<Integer>(a);
        const auto y = static_cast<Integer>(b);
        const std::int64_t exact = operation.exact(a, b);
        if (exact >= -32768 && exact <= 32767) {
          EXPECT_EQ(operation.checked(x, y), exact);
        } else {
          EXPECT_EQ(RaisedKind([&] { return operation.checked(x, y); }),
                    ErrorKind::Overflow);
        }
      }
    }
  }
}

TEST(CheckedSums, LongRaisesOverflowPastItsRange) {
  EXPECT_EQ(AddLong(kLongMax - 1, 1), kLongMax);
  EXPECT_EQ(SubtractLong(kLongMin + 1, 1), kLongMin);
  EXPECT_EQ(SubtractLong(-1, kLongMax), kLongMin);
  EXPECT_EQ(RaisedKind([] { return AddLong(kLongMax, 1); }), ErrorKind::Overflow);
  EXPECT_EQ(RaisedKind([] { return AddLong(kLongMin, -1); }), ErrorKind::Overflow);
  EXPECT_EQ(RaisedKind([] { return SubtractLong(kLongMin, 1); }), ErrorKind::Overflow);
  EXPECT_EQ(RaisedKind([] { return SubtractLong(0, kLongMin); }), ErrorKind::Overflow);
}

TEST(Abs, RaisesOverflowOnlyForTheSmallestLong) {
  EXPECT_EQ(Abs(-5), 5);
  EXPECT_EQ(Abs(5), 5);
  EXPECT_EQ(Abs(0), 0);
  EXPECT_EQ(Abs(kLongMin + 1), kLongMax);
  EXPECT_EQ(RaisedKind([] { return Abs(kLongMin); }), ErrorKind::Overflow);
}

}  // namespace
}  // namespace velmoro
