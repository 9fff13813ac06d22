#pragma once

// Scoring one direction of a comparison: how much of a source text is found,
// word by word and in context, in a target text.
//
// Directions name an ordered pair of texts (source, target):
//   1 = (text1, text2), 2 = (text2, text1), 3 = (text1, text1),
//   4 = (text2, text2).
// Words are what lies between U+0020 spaces of the normalised texts; tabs and
// line breaks stay inside words, and a word is also found inside a longer word.

#include <cstddef>
#include <functional>
#include <utility>

#include "comparison_state.h"
#include "prepared_text.h"
#include "text_primitives.h"

namespace velmoro {

// The number of leading words of a that occur in b one after another, each
// searched from the start of the previous word's occurrence (occurrences may
// overlap and lie inside longer words). A word of a counts only when a space
// follows it. Leading spaces of both texts are ignored. Throws Overflow for a
// count, a first-space position or a found position past 32767.
[[nodiscard]] Integer CountWordRun(TextView a, TextView b);

// What one word of the source earned, as the scan walks it.
struct WordStep {
  TextView word;
  Integer position = 0;   // where it was found in the unconsumed target; 0: not
  bool byContext = false; // credited by its neighbour runs, not with one point
  Integer following = 0;  // the following run (by context only)
  Integer preceding = 0;  // the preceding run (by context only)
  Integer score = 0;      // the direction's slot after the word
  // Where the word starts in the prepared source, and where the occurrence it
  // was found at starts in the prepared target as it stood before the scan
  // consumed anything (found words only). The empty word found at a leading
  // space of the unconsumed target stands at the target's space in front of
  // the first word not yet consumed, or at its last space when none is left.
  std::size_t sourceStart = 0;
  std::size_t targetStart = 0;
};
using WordObserver = std::function<void(const WordStep&)>;

// The source and the target of direction (1 to 4) among text1 and text2.
// Throws BoundsError for any other direction.
template <typename Texts>
[[nodiscard]] std::pair<const Texts&, const Texts&> SourceAndTarget(Integer direction,
                                                                   const Texts& text1,
                                                                   const Texts& text2) {
  switch (direction) {
    case 1: return {text1, text2};
    case 2: return {text2, text1};
    case 3: return {text1, text1};
    case 4: return {text2, text2};
    default: throw RuntimeError(ErrorKind::BoundsError);
  }
}
template <typename Texts>
void SourceAndTarget(Integer direction, const Texts&& text1, const Texts&& text2) = delete;

// Adds the score of direction (1 to 4) over text1 and text2 to
// state.DirectionScores[direction]; no other slot is read or written. Throws
// Overflow when the score, a run count or a position that is narrowed to an
// Integer passes 32767 (what was added before stays in the slot), and
// BoundsError for a direction outside 1 to 4. onWord, when given, sees every
// word the scan walks, in order.
void ScoreDirection(Integer direction, TextView text1, TextView text2,
                    ComparisonState& state, const WordObserver& onWord = {});

// The same over the two texts prepared once, for a run of all four directions.
void ScoreDirection(Integer direction, const PreparedText& text1,
                    const PreparedText& text2, ComparisonState& state,
                    const WordObserver& onWord = {});

}  // namespace velmoro
