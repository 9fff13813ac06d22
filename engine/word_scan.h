#pragma once

// One direction's scan over texts short enough to be handled word by word
// (ShortTexts): the same steps as the scan over units in
// direction_scorer.cpp, with the same results, errors and word steps, but
// with every search a lookup in the list of places where the word occurs in
// the target. A word has no space, so it occurs inside one piece of the
// unconsumed target, and consuming only deletes a piece or cuts it to the
// part in front of the occurrence: each piece is the first units of a target
// word, and a place is still there exactly when it ends within its piece's
// length. A place once gone never comes back, so the search for a word
// moves on from where its last one stopped.
//
// Runs are worked out again only where they change: a run that finds a word
// where an earlier run found it goes on as that run did, the following run
// when nothing at or behind that place has been consumed since, the
// preceding run, which reads the target as it was, always. So the next
// word's following run is mostly the last one less its first word, and its
// preceding run the last one and one more. A text against itself finds every
// word at its own place, and a word whose rest and first occurrence stand
// there earns its runs in closed form.

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
