#pragma once

// The engine's part of the Compare action, one sequence for every front:
// reset the four direction slots, run the comparison, compute the result, and
// the status-bar panel texts and the result text made of those numbers. An
// error ends the sequence where it is raised; the outcome says what was
// produced before it and which error it was.

#include <array>
#include <optional>

#include "comparison_state.h"
#include "text_primitives.h"
#include "velmoro/errors.h"
#include "word_walk.h"

namespace velmoro::internal {

// The numbers of one Compare, each set once it has been computed.
struct CompareOutcome {
  std::optional<float> length_factor;
  // The score of each direction whose run completed, at DirectionIndex.
  std::array<std::optional<Integer>, 4> scores;
  std::optional<double> result_value;
  std::optional<ErrorKind> error;  // the error that ended the Compare, if any
  OverflowCause overflow_cause = OverflowCause::Value;  // for an Overflow
};

// Runs the Compare action's engine steps on the two texts as they stand, with
// state as the comparison state. With walks, also records there the words of
// every direction that started. Never throws a RuntimeError: it reports it in
// the outcome.
[[nodiscard]] CompareOutcome RunCompareAction(TextView text1, TextView text2,
                                              ComparisonState& state, Walks* walks = nullptr);

// The texts the window shows after a Compare. A text is absent when the
// Compare ended in an error before producing it: the panels come once all
// four directions are scored, the result once it is computed.
struct CompareDisplay {
  std::optional<Text> self_score1;   // "STD: n" of direction 3, StatusBar1
  std::optional<Text> self_score2;   // "STD: n" of direction 4, StatusBar2
  std::optional<Text> cross_score1;  // "#: n" of direction 1, StatusBar1
  std::optional<Text> cross_score2;  // "#: n" of direction 2, StatusBar2
  std::optional<Text> result;       // the result text, Label2
};

// The display of outcome, the result with decimalSeparator.
[[nodiscard]] CompareDisplay DisplayOf(const CompareOutcome& outcome, char16_t decimalSeparator);

}  // namespace velmoro::internal
