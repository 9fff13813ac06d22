#pragma once

// The engine's part of the Compare action, shared by the window and the
// command-line front so that both run one sequence: reset the four direction
// slots, run the comparison, produce the four status-bar panel texts and the
// result text. An error ends the sequence where it is raised; the outcome says
// what was produced before it and which error it was.

#include <array>
#include <optional>

#include "comparison_state.h"
#include "word_walk.h"
#include "velmoro/errors.h"
#include "text_primitives.h"

namespace velmoro {

// The texts the window shows after a Compare. A text is empty (nullopt) when
// the Compare ended in an error before producing it.
struct CompareDisplay {
  std::optional<Text> selfScore1;   // "STD: n" of direction 3, StatusBar1
  std::optional<Text> selfScore2;   // "STD: n" of direction 4, StatusBar2
  std::optional<Text> crossScore1;  // "#: n" of direction 1, StatusBar1
  std::optional<Text> crossScore2;  // "#: n" of direction 2, StatusBar2
  std::optional<Text> result;       // the result text, Label2
};

struct CompareOutcome {
  CompareDisplay display;
  std::optional<float> lengthFactor;  // set once it has been computed
  // The score of each direction (index 0 is direction 1) whose run completed.
  std::array<std::optional<Integer>, 4> scores;
  std::optional<double> resultValue;  // the number the result text shows
  std::optional<ErrorKind> error;  // the error that ended the Compare, if any
  OverflowCause overflowCause = OverflowCause::Value;  // for an Overflow
};

// Runs the Compare action's engine steps on the two texts as they stand, with
// state as the comparison state; the result text uses decimalSeparator. With
// walks, also records there the words of every direction that started.
// Never throws a RuntimeError: it reports it in the outcome.
[[nodiscard]] CompareOutcome RunCompareAction(TextView text1, TextView text2,
                                              ComparisonState& state,
                                              char16_t decimalSeparator,
                                              Walks* walks = nullptr);

}  // namespace velmoro
