#include "comparison_state.h"

#include <cstddef>

#include "velmoro/errors.h"

namespace velmoro::internal {

Integer& DirectionScore(ComparisonState& state, Long index) {
  if (index < 0 || index >= static_cast<Long>(state.DirectionScores.size())) {
    throw RuntimeError(ErrorKind::BoundsError);
  }
  return state.DirectionScores[static_cast<std::size_t>(index)];
}

}  // namespace velmoro::internal
