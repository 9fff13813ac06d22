#pragma once

// Where the words of one source first and last start in a prepared target,
// asked for the same words over and over while a direction is scored.
// Answers come from direct searches, remembered per word, until those have
// cost a few passes over the target; from then on a word automaton answers
// every word of the source, and every prefix of one, without searching.

#include <cstddef>
#include <optional>
#include <unordered_map>

#include "prepared_text.h"
#include "word_automaton.h"

namespace velmoro {

class TargetIndex {
 public:
  // Both must outlive the index; the words asked for must be views into
  // source.text(), which keeps them valid as remembered keys.
  TargetIndex(const PreparedText& source, TextView target);

  [[nodiscard]] Occurrences Find(TextView word);

  // True when word is already known not to occur in the target at all.
  [[nodiscard]] bool KnownAbsent(TextView word) const;

 private:
  [[nodiscard]] Occurrences Search(TextView word);

  const PreparedText& source_;
  TextView target_;
  std::unordered_map<TextView, Occurrences> remembered_;
  std::size_t searchBudget_;
  std::optional<WordAutomaton> automaton_;
};

}  // namespace velmoro
