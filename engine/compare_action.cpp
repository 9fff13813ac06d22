#include "compare_action.h"

#include <cmath>
#include <limits>

#include "comparison_run.h"

namespace velmoro {

namespace {

void RunSteps(TextView text1, TextView text2, ComparisonState& state,
              char16_t decimalSeparator, WalkRecorder* recorder,
              CompareOutcome& outcome) {
  for (Long direction = 1; direction <= 4; ++direction) {
    DirectionScore(state, direction) = 0;
  }
  const DirectionScored scored = [&](Integer direction) {
    outcome.scores[static_cast<std::size_t>(direction - 1)] =
        state.DirectionScores[static_cast<std::size_t>(direction)];
    if (recorder != nullptr) recorder->Scored(direction);
  };
  DirectionStarted started;
  if (recorder != nullptr) started = [recorder](Integer direction) { return recorder->Started(direction); };
  RunComparison(text1, text2, state, scored, started);
  CompareDisplay& display = outcome.display;
  display.selfScore1 = SelfScoreText(state.DirectionScores[3]);
  display.selfScore2 = SelfScoreText(state.DirectionScores[4]);
  display.crossScore1 = CrossScoreText(state.DirectionScores[1]);
  display.crossScore2 = CrossScoreText(state.DirectionScores[2]);
  outcome.resultValue = ResultValue(state);
  display.result = DoubleToText(*outcome.resultValue, decimalSeparator);
}

}  // namespace

CompareOutcome RunCompareAction(TextView text1, TextView text2,
                                ComparisonState& state,
                                char16_t decimalSeparator,
                                Walks* walks) {
  CompareOutcome outcome;
  std::optional<WalkRecorder> recorder;
  if (walks != nullptr) recorder.emplace(text1, text2);
  // Not a number until this run computes it, so that an error before then
  // leaves no factor of an earlier run behind.
  state.LengthFactor = std::numeric_limits<float>::quiet_NaN();
  try {
    RunSteps(text1, text2, state, decimalSeparator, recorder ? &*recorder : nullptr, outcome);
  } catch (const RuntimeError& error) {
    outcome.error = error.kind();
    outcome.overflowCause = error.cause();
  }
  if (std::isfinite(state.LengthFactor)) outcome.lengthFactor = state.LengthFactor;
  if (recorder) *walks = recorder->Finish(state);
  return outcome;
}

}  // namespace velmoro
