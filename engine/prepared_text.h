#pragma once

// A text made ready for scoring: trimmed, normalised and given the one
// trailing space that ends its last word, split into the words a scan walks,
// and the facts about it that the scorer asks for again and again, worked out
// once in linear time.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "text_primitives.h"

namespace velmoro::internal {

// A word as a 0-based run of the prepared text, in 32 bits: a Long bounds
// every text length, and a long text holds millions of words.
struct WordSpan {
  std::uint32_t start = 0;
  std::uint32_t length = 0;
  [[nodiscard]] std::size_t end() const { return std::size_t{start} + length; }
};

class PreparedText {
 public:
  // NormalizeText(Trim(raw)) followed by one space.
  explicit PreparedText(TextView raw);
  // The prepared form of the empty text, a single space.
  PreparedText() : PreparedText(TextView()) {}

  // Makes this the prepared form of raw, reusing the memory it holds.
  void Assign(TextView raw);

  // Becomes the prepared empty text, letting go of its memory, when it holds
  // memory for more than units units or words.
  void Shed(std::size_t units);

  [[nodiscard]] TextView text() const { return text_; }

  // StrReverse(text()) followed by one space: the reversed text in front of
  // any place p of text() is reversed().substr(text().size() - p). Made on
  // first use, since the scan of short texts seldom reads it.
  [[nodiscard]] TextView reversed() const {
    if (!reversed_made_) Reverse();
    return reversed_;
  }

  // The words in scan order: an empty word at 0 first when the text begins
  // with a space (it did with punctuation) and is more than that space, then
  // every run between spaces.
  [[nodiscard]] const std::vector<WordSpan>& words() const { return words_; }

  // The length of the longest word.
  [[nodiscard]] std::size_t LongestWord() const { return longest_word_; }

  // The number of words that end behind index: the words, whole or cut, of
  // text() from index on.
  [[nodiscard]] std::size_t WordsEndingBehind(std::size_t index) const;

  // The number of words, the empty one aside, that start in front of index:
  // the words, whole or cut, of text() in front of index.
  [[nodiscard]] std::size_t WordsStartingBefore(std::size_t index) const;

  // The length of the rest behind word j, trimmed: from the next word to the
  // end of the last word; 0 for the last word.
  [[nodiscard]] std::size_t RestLength(std::size_t j) const;

  // Where the rest behind word j (the next words and one space) first occurs
  // in text(), 0-based; at or before the next word's own start. Only for a
  // word that has a next word. The first call works it out for every word.
  [[nodiscard]] std::size_t RestFirstStart(std::size_t j) const;

 private:
  void FindEarlierRests() const;
  void Reverse() const;

  Text text_;
  mutable Text reversed_;
  mutable bool reversed_made_ = false;
  std::vector<WordSpan> words_;
  std::size_t longest_word_ = 0;
  // (j, d) for each word j whose rest first occurs d > 0 units before its own
  // place, by descending j: only a text's last words tend to have one. Found
  // on first use, since a long text often overflows before any word needs it.
  mutable std::vector<std::pair<std::uint32_t, std::uint32_t>> earlier_rests_;
  mutable bool earlier_rests_found_ = false;
};

}  // namespace velmoro::internal
