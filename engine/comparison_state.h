#pragma once

// The state of one comparison, owned by the window and kept as long as it:
// the score of each direction and the length factor of the latest run.

#include <array>

#include "checked_arithmetic.h"

namespace velmoro {

struct ComparisonState {
  // Slot d holds the score of direction d (1 to 4); slot 0 is never used.
  std::array<Integer, 5> DirectionScores{};
  // 1 + |Len(Text1) - Len(Text2)| / Len(Text1), rounded to single precision.
  float LengthFactor = 0.0F;
};

// The slot of DirectionScores at index. Throws BoundsError outside 0 to 4.
[[nodiscard]] Integer& DirectionScore(ComparisonState& state, Long index);

}  // namespace velmoro
