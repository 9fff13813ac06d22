#pragma once

// A literal model of the direction scorer for the tests: every step done with
// the text primitives exactly as written, copies and all, with no shortcut.
// The engine's fast scorer must agree with it on every input.

#include "comparison_state.h"
#include "direction_scorer.h"
#include "model_primitives.h"
#include "text_primitives.h"

namespace velmoro::reference {

[[nodiscard]] Text NormalizeText(TextView s);
[[nodiscard]] Integer CountWordRun(TextView a, TextView b);
void ScoreDirection(Integer direction, TextView text1, TextView text2,
                    ComparisonState& state, const internal::WordObserver& onWord = {});

}  // namespace velmoro::reference
