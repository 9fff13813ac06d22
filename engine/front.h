#pragma once

// The work behind the public front (velmoro/velmoro.h), shared with the
// project's own fronts: one Compare of two given texts, and what the engine
// recorded turned into what callers are given, a word at a time for a front
// that writes an explanation out as it goes.

#include "compare_action.h"
#include "given_text.h"
#include "velmoro/velmoro.h"
#include "word_walk.h"

namespace velmoro {

// Compares text1 with text2; with walks, records the words of every
// direction that started there.
[[nodiscard]] Comparison CompareGiven(const GivenText& text1, const GivenText& text2,
                                      Walks* walks = nullptr);

// The same Compare, as the engine's outcome, for callers that need only its
// numbers and not the texts made of them.
[[nodiscard]] CompareOutcome CompareGivenTexts(const GivenText& text1, const GivenText& text2,
                                               Walks* walks = nullptr);

// walk's direction, texts, completeness and score, without its words.
[[nodiscard]] DirectionExplanation ExplainedDirection(const DirectionWalk& walk);

// word as callers see it, with places in code points of the texts as given.
[[nodiscard]] ExplainedWord ExplainedWordOf(const WalkedWord& word, const GivenText& source,
                                            const GivenText& target);

// The given texts of direction (1 to 4): its source, then its target.
[[nodiscard]] std::pair<const GivenText&, const GivenText&> GivenTextsOf(
    int direction, const GivenText& text1, const GivenText& text2);

}  // namespace velmoro
