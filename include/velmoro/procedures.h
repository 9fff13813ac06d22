#pragma once

// The comparison's procedures by the names its description gives them, for
// callers who work with its parts rather than through Compare
// (velmoro/velmoro.h): normalising a text, counting a run of words, scoring
// one direction, running all four, the result measure, and the texts the
// window shows them in. They throw RuntimeError (velmoro/errors.h).

#include <array>

#include "velmoro/errors.h"
#include "velmoro/text.h"

namespace velmoro {

// The state of a comparison: the score of each direction and the length
// factor of the latest run. A caller keeps it for as long as it wants the
// numbers; RunComparison only adds into the slots it is given.
struct ComparisonState {
  // Slot d holds the score of direction d (1 to 4); slot 0 is never used.
  std::array<Integer, 5> DirectionScores{};
  // 1 + |Len(Text1) - Len(Text2)| / Len(Text1), rounded to single precision.
  float LengthFactor = 0.0F;
};

// The canonical form of s that is split into words: the eight marks , . ; : ?
// ! - * become spaces, every run of spaces becomes one space, letters are
// lower-cased by their simple lower-case mapping. Not trimmed: "star." becomes "star " and
// "-- hello" becomes " hello".
[[nodiscard]] Text NormalizeText(TextView s);

// The number of leading words of a that occur in b one after another, each
// searched from the start of the previous word's occurrence (occurrences may
// overlap and lie inside longer words). A word of a counts only when a space
// follows it. Leading spaces of both texts are ignored. Throws Overflow for a
// count, a first-space position or a found position past 32767.
[[nodiscard]] Integer CountWordRun(TextView a, TextView b);

// Adds the score of direction (1 to 4) over text1 and text2 to
// state.DirectionScores[direction]; no other slot is read or written. Throws
// Overflow when the score, a run count or a position that is narrowed to an
// Integer passes 32767 (what was added before stays in the slot), and
// BoundsError for a direction outside 1 to 4.
void ScoreDirection(Integer direction, TextView text1, TextView text2, ComparisonState& state);

// Sets state.LengthFactor from the raw lengths of text1 and text2, then scores
// directions 1, 2, 3 and 4 in this order, adding into their slots; the caller
// sets those four slots to 0 first. Throws FPException for an empty text1
// (before any direction is scored) and passes on every error of the scorer.
void RunComparison(TextView text1, TextView text2, ComparisonState& state);

// The fourth root of the length factor times the sum of the self-scores
// (directions 3 and 4) divided by the sum of the cross-scores (directions 1
// and 2), minus one; never below -1. Throws Overflow for a sum past 32767 and
// FPException when both cross-scores are 0.
[[nodiscard]] double ResultValue(const ComparisonState& state);

// "STD: " followed by the score.
[[nodiscard]] Text SelfScoreText(Integer score);

// "#: " followed by the score.
[[nodiscard]] Text CrossScoreText(Integer score);

// n in decimal digits, with a leading "-" when negative; no padding, no
// grouping.
[[nodiscard]] Text IntegerToText(Long n);

// x rounded correctly to at most 15 significant digits, with trailing zeros
// and a bare decimal separator removed; 0 in front of the separator below 1;
// a leading "-" when negative; zero (of either sign) is "0". Magnitudes below
// 1E-04 and from 1E+15 up are written as mantissa, "E", sign and at least two
// exponent digits (1.23456789012345E-05). No grouping.
[[nodiscard]] Text DoubleToText(double x, char16_t decimalSeparator);

}  // namespace velmoro
