#pragma once

// The comparison run: two texts in, the four direction scores and the length
// factor out, and the result measure that combines them into one number,
// together with the texts in which the window shows them.

#include <functional>

#include "comparison_state.h"
#include "direction_scorer.h"
#include "text_primitives.h"

namespace velmoro {

// Called after each direction has been scored, with its code.
using DirectionScored = std::function<void(Integer direction)>;

// Called as each direction starts, with its code; the observer it returns
// sees every word the direction's scan walks.
using DirectionStarted = std::function<WordObserver(Integer direction)>;

// Sets state.LengthFactor from the raw lengths of text1 and text2, then scores
// directions 1, 2, 3 and 4 in this order, adding into their slots; the caller
// sets those four slots to 0 first. Throws FPException for an empty text1
// (before any direction is scored) and passes on every error of the scorer.
void RunComparison(TextView text1, TextView text2, ComparisonState& state,
                   const DirectionScored& onScored = {},
                   const DirectionStarted& onStarted = {});

// The fourth root of the length factor times the sum of the self-scores
// (directions 3 and 4) divided by the sum of the cross-scores (directions 1
// and 2), minus one; never below -1. Throws Overflow for a sum past 32767 and
// FPException when both cross-scores are 0.
[[nodiscard]] double ResultValue(const ComparisonState& state);

// The first panels of the two status bars, which name their directions.
inline constexpr TextView kStatusBar1Label = u"1-2";
inline constexpr TextView kStatusBar2Label = u"2-1";

// "STD: " followed by the score.
[[nodiscard]] Text SelfScoreText(Integer score);

// "#: " followed by the score.
[[nodiscard]] Text CrossScoreText(Integer score);

}  // namespace velmoro
