#pragma once

// Seeded, reproducible pairs of texts for the property tests.
//
// Small pairs are up to fifteen words from a small vocabulary that makes
// words occur inside one another ("car", "scar", "cars"), in mixed case, with
// the eight punctuation marks, line breaks, tabs, runs of spaces, repeated
// phrases at the end, non-ASCII letters, letters outside the basic
// multilingual plane (U+10400 and its lower case U+10428, an emoji), lone
// surrogates and now and then any 16-bit unit at all; the second text is
// often made from the first, so that many words are found.
//
// Large pairs hold 2 000 to 60 000 units and reach the scorer's long-text
// paths: words that occur only near or past position 32767 of the target, long
// sources none of whose words occur in the target, long runs of repeated
// words, single words longer than 32767 units, and neighbours of a word that
// stand more than 32767 units away from it.

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "text_primitives.h"

namespace velmoro::properties {

struct TextPair {
  Text text1;
  Text text2;
};

class PairGenerator {
 public:
  explicit PairGenerator(std::uint32_t seed) : random_(seed) {}

  [[nodiscard]] TextPair SmallPair();
  [[nodiscard]] TextPair LargePair();

  // Two to ten words of a and b, many of them periodic ("abab"), a text
  // against another or against a variant of itself.
  [[nodiscard]] TextPair PeriodicWordsPair();

  // A text that is mostly spaces and punctuation marks, with a few letters
  // and other units among them.
  [[nodiscard]] Text MarksAndSpaces();

 private:
  [[nodiscard]] std::size_t Below(std::size_t bound);
  [[nodiscard]] bool OneIn(std::size_t chances) { return Below(chances) == 0; }
  template <typename Piece, std::size_t count>
  [[nodiscard]] const Piece& Pick(const Piece (&pieces)[count]) {
    return pieces[Below(count)];
  }

  [[nodiscard]] Text SmallWord();
  [[nodiscard]] Text SmallText();
  [[nodiscard]] Text Variant(TextView text);
  [[nodiscard]] Text LettersFrom(TextView alphabet, std::size_t length);
  [[nodiscard]] Text WordsFrom(TextView alphabet, std::size_t units);
  [[nodiscard]] std::size_t LargeSize(std::size_t most);

  [[nodiscard]] TextPair FarInTarget();
  [[nodiscard]] TextPair AbsentWords();
  [[nodiscard]] TextPair RepeatedWords();
  [[nodiscard]] TextPair OverlongWords();
  [[nodiscard]] TextPair ShuffledLongWords();

  std::mt19937 random_;
};

// Pairs that put a word, the space behind a word, or a neighbour of a word a
// few units before, at or behind position 32767, one family of pairs for each
// place where a position is narrowed to an Integer: where a word is found in
// the unconsumed target and the space that ends it, where the next word of a
// following run is found, where the next word of a preceding run is found in
// the reversed target, and the first space of a run's source.
[[nodiscard]] std::vector<TextPair> PairsAtTheReach();

// Every text of one to five words from "a", "b", "ab", "ba" and "-" (which
// normalises to an empty word), paired with itself and with one other of them:
// repeated rests, words inside words and empty words in every arrangement.
[[nodiscard]] std::vector<TextPair> TinyVocabularyPairs();

// Pairs at the limits of the scan over words (kWordScanWords words,
// kWordScanUnits units and kWordScanPlaces places of words a text), one below,
// at and one past each, in every combination that switches between it and the
// scan over units: words inside one another, texts whose self-scores
// overflow, long words that reach the limit on units, and a word that holds
// another at thousands of offsets.
[[nodiscard]] std::vector<TextPair> PairsAtTheWordScanLimits();

// True when text holds a surrogate that is not part of a pair.
[[nodiscard]] bool HasLoneSurrogate(TextView text);

}  // namespace velmoro::properties
