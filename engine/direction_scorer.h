#pragma once

// Scoring one direction of a comparison: how much of a source text is found,
// word by word and in context, in a target text.
//
// Directions name an ordered pair of texts (source, target), as
// velmoro/directions.h lists them.
// Words are what lies between U+0020 spaces of the normalised texts; tabs and
// line breaks stay inside words, and a word is also found inside a longer word.
//
// A map of the scan. tests/reference/literal_scorer.cpp is its literal model:
// every step done with the text primitives, copies and all, on the working
// texts A0 (the prepared source), A (its rest), B (the prepared target) and R
// (the part of B not consumed yet). The scan in direction_scorer.cpp does the
// same steps with these stand-ins:
//   - R, searched for each word and cut by each consumption: UnconsumedTarget,
//     which rewrites only a short head and searches the untouched rest in
//     place, with WordPositions saying where the target's words now stand;
//   - c and c2, where the rest first occurs in A0 (the earlier-rest search):
//     PreparedText::RestFirstStart, worked out for every word in one pass;
//   - precA and precB, the reversed texts of the preceding run: the prepared
//     texts' reversed() and ReversedTarget;
//   - e, the first occurrence of a word in B, and whether a word occurs out of
//     reach of a search at all: TargetIndex, by direct searches first and then
//     by a WordAutomaton over the source's words;
//   - CountWordRun of the following and preceding runs: CountRun, which
//     counts a text that reads on as its source does from the word table
//     (RunOfCopy).
// Texts short enough (ShortTexts) are scanned word by word instead
// (word_scan.h), with the same results.
// A change of the scoring starts from the model and ends when the property
// tests (tests/properties) and the fuzzer (fuzz/) agree with it again.

#include <cstddef>
#include <functional>

#include "comparison_state.h"
#include "direction_texts.h"
#include "prepared_text.h"
#include "short_texts.h"
#include "text_primitives.h"
#include "scan_observers.h"

namespace velmoro::internal {

// The same over the two texts prepared once, for a run of all four directions;
// shortTexts, when given, holds the same two texts and the direction is
// scanned word by word.
void ScoreDirection(Integer direction, const PreparedText& text1,
                    const PreparedText& text2, ComparisonState& state,
                    const WordObserver& onWord = {},
                    const ShortTexts* shortTexts = nullptr);

}  // namespace velmoro::internal
