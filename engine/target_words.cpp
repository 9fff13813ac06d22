#include "target_words.h"

#include <iterator>

#include "velmoro/fronts.h"

namespace velmoro::internal {

// A match that is not empty lies inside one word, which may have been read
// for an earlier match; an empty one, the empty word's, lies between words.
Span TargetWords::Holding(const Span& match) {
  if (match.start == match.end) return Read(match);
  const auto after = read_.upper_bound(match.start);
  if (after != read_.begin() && std::prev(after)->second > match.start) {
    return {std::prev(after)->first, std::prev(after)->second};
  }
  const Span word = Read(match);
  read_.emplace(word.start, word.end);
  return word;
}

Span TargetWords::Read(const Span& match) const {
  Span word = match;
  while (word.start > 0 && !NormalizesToSpace(target_[word.start - 1])) --word.start;
  while (word.end < target_.size() && !NormalizesToSpace(target_[word.end])) ++word.end;
  return word;
}

MatchPlace PlaceIn(const Span& match, const Span& word) {
  if (match.start != word.start) return MatchPlace::InsideWord;
  return match.end == word.end ? MatchPlace::Word : MatchPlace::StartOfWord;
}

}  // namespace velmoro::internal
