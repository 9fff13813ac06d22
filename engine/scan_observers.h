#pragma once

// What the engine's own code can watch while a comparison runs: every word a
// direction's scan walks, and each direction as it starts and as it
// completes. The recorder of explanations (word_walk.h) and the tests watch
// through these; velmoro/procedures.h declares the same procedures without
// them.

#include <cstddef>
#include <functional>

#include "velmoro/procedures.h"

namespace velmoro::internal {

// What one word of the source earned, as the scan walks it.
struct WordStep {
  TextView word;
  Integer position = 0;   // where it was found in the unconsumed target; 0: not
  bool by_context = false; // credited by its neighbour runs, not with one point
  Integer following = 0;  // the following run (by context only)
  Integer preceding = 0;  // the preceding run (by context only)
  Integer score = 0;      // the direction's slot after the word
  // Where the word starts in the prepared source, and where the occurrence it
  // was found at starts in the prepared target as it stood before the scan
  // consumed anything (found words only). The empty word found at a leading
  // space of the unconsumed target stands at the target's space in front of
  // the first word not yet consumed, or at its last space when none is left.
  std::size_t source_start = 0;
  std::size_t target_start = 0;
};
using WordObserver = std::function<void(const WordStep&)>;

// ScoreDirection, with onWord seeing every word the scan walks, in order.
void ScoreDirection(Integer direction, TextView text1, TextView text2, ComparisonState& state,
                    const WordObserver& onWord);

// Called after each direction has been scored, with its code.
using DirectionScored = std::function<void(Integer direction)>;

// Called as each direction starts, with its code; the observer it returns
// sees every word the direction's scan walks.
using DirectionStarted = std::function<WordObserver(Integer direction)>;

// RunComparison, calling onScored after each direction and onStarted, when
// given, as each starts.
void RunComparison(TextView text1, TextView text2, ComparisonState& state,
                   const DirectionScored& onScored, const DirectionStarted& onStarted = {});

}  // namespace velmoro::internal
