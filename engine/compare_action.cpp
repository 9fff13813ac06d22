#include "compare_action.h"

#include <cmath>
#include <limits>

#include "comparison_run.h"

namespace velmoro {

namespace {

void RunSteps(TextView text1, TextView text2, ComparisonState& state,
              char16_t decimalSeparator, CompareOutcome& outcome) {
  for (Long direction = 1; direction <= 4; ++direction) {
    DirectionScore(state, direction) = 0;
  }
  RunComparison(text1, text2, state, [&](Integer direction) {
    outcome.scores[static_cast<std::size_t>(direction - 1)] =
        state.DirectionScores[static_cast<std::size_t>(direction)];
  });
  CompareDisplay& display = outcome.display;
  display.selfScore1 = SelfScoreText(state.DirectionScores[3]);
  display.selfScore2 = SelfScoreText(state.DirectionScores[4]);
  display.crossScore1 = CrossScoreText(state.DirectionScores[1]);
  display.crossScore2 = CrossScoreText(state.DirectionScores[2]);
  display.result = DoubleToText(ResultValue(state), decimalSeparator);
}

}  // namespace

CompareOutcome RunCompareAction(TextView text1, TextView text2,
                                ComparisonState& state,
                                char16_t decimalSeparator) {
  CompareOutcome outcome;
  // Not a number until this run computes it, so that an error before then
  // leaves no factor of an earlier run behind.
  state.LengthFactor = std::numeric_limits<float>::quiet_NaN();
  try {
    RunSteps(text1, text2, state, decimalSeparator, outcome);
  } catch (const RuntimeError& error) {
    outcome.error = error.kind();
  }
  if (std::isfinite(state.LengthFactor)) outcome.lengthFactor = state.LengthFactor;
  return outcome;
}

}  // namespace velmoro
