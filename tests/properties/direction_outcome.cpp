#include "direction_outcome.h"

#include <cstddef>

#include "prepared_text.h"

namespace velmoro::properties {

using internal::PreparedText;
using velmoro::ScoreDirection;
using internal::ScoreDirection;
using internal::WordObserver;
using internal::WordStep;

void ScoreByUnits(Integer direction, TextView text1, TextView text2, ComparisonState& state,
                  const WordObserver& onWord) {
  const PreparedText prepared1(text1);
  const PreparedText prepared2(text2);
  ScoreDirection(direction, prepared1, prepared2, state, onWord, nullptr);
}

DirectionOutcome ScoreWith(DirectionScorer scorer, Integer direction, TextView text1,
                           TextView text2) {
  ComparisonState state;
  DirectionOutcome outcome;
  const WordObserver record = [&outcome](const WordStep& step) {
    outcome.steps.push_back({Text(step.word), step.position, step.by_context, step.following,
                             step.preceding, step.score, step.source_start,
                             step.position > 0 ? step.target_start : 0});
  };
  try {
    scorer(direction, text1, text2, state, record);
  } catch (const RuntimeError& error) {
    outcome.error = error.kind();
  }
  outcome.score = state.DirectionScores[static_cast<std::size_t>(direction)];
  return outcome;
}

}  // namespace velmoro::properties
