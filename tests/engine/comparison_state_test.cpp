#include "comparison_state.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "engine_test_support.h"

namespace velmoro {

using internal::DirectionScore;

namespace {

TEST(DirectionScore, IsTheSlotAtIndexZeroToFour) {
  ComparisonState state;
  for (Long index = 0; index <= 4; ++index) {
    DirectionScore(state, index) = static_cast<Integer>(10 + index);
  }
  EXPECT_EQ(state.DirectionScores, (std::array<Integer, 5>{10, 11, 12, 13, 14}));
}

TEST(DirectionScore, RaisesBoundsErrorOutsideZeroToFour) {
  for (const Long index : {Long{-1}, Long{5}, Long{32767}, std::numeric_limits<Long>::min()}) {
    SCOPED_TRACE(index);
    ComparisonState state;
    EXPECT_EQ(RaisedKind([&] { return DirectionScore(state, index); }),
              ErrorKind::BoundsError);
  }
}

}  // namespace
}  // namespace velmoro
