#pragma once

// Checked access to the slots of the comparison state.

#include "checked_arithmetic.h"
#include "velmoro/procedures.h"

namespace velmoro::internal {

// The slot of DirectionScores at index. Throws BoundsError outside 0 to 4.
[[nodiscard]] Integer& DirectionScore(ComparisonState& state, Long index);

}  // namespace velmoro::internal
