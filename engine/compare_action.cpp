#include "compare_action.h"

#include <cmath>
#include <limits>

#include "comparison_run.h"
#include "velmoro/directions.h"

namespace velmoro::internal {

namespace {

void RunSteps(TextView text1, TextView text2, ComparisonState& state, WalkRecorder* recorder,
              CompareOutcome& outcome) {
  for (Long direction = 1; direction <= kDirectionCount; ++direction) {
    DirectionScore(state, direction) = 0;
  }
  const DirectionScored scored = [&](Integer direction) {
    outcome.scores[DirectionIndex(direction)] =
        state.DirectionScores[static_cast<std::size_t>(direction)];
    if (recorder != nullptr) recorder->Scored(direction);
  };
  DirectionStarted started;
  if (recorder != nullptr) started = [recorder](Integer direction) { return recorder->Started(direction); };
  RunComparison(text1, text2, state, scored, started);
  outcome.result_value = ResultValue(state);
}

std::optional<Text> PanelOf(const CompareOutcome& outcome, int direction,
                            Text (*panelText)(Integer)) {
  const std::optional<Integer>& score = outcome.scores[DirectionIndex(direction)];
  return score ? std::optional<Text>(panelText(*score)) : std::nullopt;
}

}  // namespace

CompareOutcome RunCompareAction(TextView text1, TextView text2, ComparisonState& state,
                                Walks* walks) {
  CompareOutcome outcome;
  std::optional<WalkRecorder> recorder;
  if (walks != nullptr) recorder.emplace(text1, text2);
  // Not a number until this run computes it, so that an error before then
  // leaves no factor of an earlier run behind.
  state.LengthFactor = std::numeric_limits<float>::quiet_NaN();
  try {
    RunSteps(text1, text2, state, recorder ? &*recorder : nullptr, outcome);
  } catch (const RuntimeError& error) {
    outcome.error = error.kind();
    outcome.overflow_cause = error.cause();
  }
  if (std::isfinite(state.LengthFactor)) outcome.length_factor = state.LengthFactor;
  if (recorder) *walks = recorder->Finish(state);
  return outcome;
}

CompareDisplay DisplayOf(const CompareOutcome& outcome, char16_t decimalSeparator) {
  CompareDisplay display;
  // The panels are written together, once the last direction is scored.
  if (outcome.scores.back()) {
    const StatusBarShape& bar1 = kStatusBars[0];
    const StatusBarShape& bar2 = kStatusBars[1];
    display.self_score1 = PanelOf(outcome, bar1.selfDirection, SelfScoreText);
    display.self_score2 = PanelOf(outcome, bar2.selfDirection, SelfScoreText);
    display.cross_score1 = PanelOf(outcome, bar1.crossDirection, CrossScoreText);
    display.cross_score2 = PanelOf(outcome, bar2.crossDirection, CrossScoreText);
  }
  if (outcome.result_value) display.result = DoubleToText(*outcome.result_value, decimalSeparator);
  return display;
}

}  // namespace velmoro::internal
