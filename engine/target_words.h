#pragma once

// The words of a target text that hold the matches of a direction's found
// words, as a front shows them: a word is a run of units that normalisation
// keeps, ended by spaces, marks or the text's ends. Each word is read once,
// however many matches it holds, so that a long word full of matches costs
// no more than reading it.

#include <cstddef>
#include <map>

#include "velmoro/text.h"
#include "velmoro/velmoro.h"

namespace velmoro::internal {

class TargetWords {
 public:
  // target must outlive this object.
  explicit TargetWords(TextView target) : target_(target) {}

  // The word that holds match, units of the target; for an empty match, the
  // units that touch it on either side, up to the nearest spaces.
  [[nodiscard]] Span Holding(const Span& match);

 private:
  [[nodiscard]] Span Read(const Span& match) const;

  TextView target_;
  std::map<std::size_t, std::size_t> read_;  // the words read so far, start to end
};

// How match stands in word, the word that holds it.
[[nodiscard]] MatchPlace PlaceIn(const Span& match, const Span& word);

}  // namespace velmoro::internal
