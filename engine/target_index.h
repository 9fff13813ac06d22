#pragma once

// Where the words of one source first and last start in a prepared target,
// asked for the same words over and over while a direction is scored.
// Answers come from direct searches, remembered per word in a long target,
// until those have cost a few passes over the target; from then on a word
// automaton answers every word of the source, and every prefix of one,
// without searching.

#include <cstddef>
#include <optional>
#include <unordered_map>

#include "prepared_text.h"
#include "word_automaton.h"

namespace velmoro::internal {

class TargetIndex {
 public:
  static constexpr std::size_t kNone = Occurrences::kNone;

  // Both must outlive the index; the words asked for must be views into
  // source.text(), which keeps them valid as remembered keys.
  TargetIndex(const PreparedText& source, TextView target);

  // The 0-based start of the first occurrence of word in the target, or kNone.
  [[nodiscard]] std::size_t First(TextView word);

  // The 0-based start of the last occurrence of word in the target, or kNone.
  [[nodiscard]] std::size_t Last(TextView word);

  // True when word is already known not to occur in the target at all.
  [[nodiscard]] bool KnownAbsent(TextView word) const;

 private:
  // What is known of a word: a start, or kUnknown when not searched yet.
  struct Remembered {
    static constexpr std::size_t kUnknown = kNone - 1;
    std::size_t first = kUnknown;
    std::size_t last = kUnknown;
  };

  [[nodiscard]] std::optional<Occurrences> FromAutomaton(TextView word) const;
  // known, searched first when still unknown.
  template <typename Search>
  static std::size_t Remember(std::size_t& known, Search search) {
    if (known == Remembered::kUnknown) known = search();
    return known;
  }
  [[nodiscard]] std::size_t Searched(std::size_t found, std::size_t cost);

  const PreparedText& source_;
  TextView target_;
  std::unordered_map<TextView, Remembered> remembered_;
  std::size_t search_budget_;
  std::optional<WordAutomaton> automaton_;
};

}  // namespace velmoro::internal
