#pragma once

// One direction's scan over texts short enough to be handled word by word
// (ShortTexts): the same steps as the scan over units in
// direction_scorer.cpp, with the same results, errors and word steps, but
// with the unconsumed target held as the set of target words left, each
// whole or cut to a prefix, and every search asking first which words hold
// the word sought. A search then looks at only the words that hold it,
// and a run against a target that reads on as its source does is counted
// without a search at all. Runs are worked out again only where they change:
// the next word's following run is mostly the last one less its first word,
// and its preceding run the last one and one more. A text against itself
// finds every word at its own place.

#include "comparison_state.h"
#include "short_texts.h"
#include "text_primitives.h"
#include "scan_observers.h"

namespace velmoro::internal {

// Scores direction (1 to 4) of texts 0 and 1 into state, as ScoreDirection
// does. Throws BoundsError for any other direction.
void ScanWords(Integer direction, const ShortTexts& texts, ComparisonState& state,
               const WordObserver& onWord);

}  // namespace velmoro::internal
