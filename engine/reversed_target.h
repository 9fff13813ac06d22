#pragma once

// A prepared target read backwards, where the words in front of a source word
// are matched nearest first. Whether a word occurs out of reach is asked of
// the target index, in the target's own direction, instead of searched.

#include <cstddef>
#include <optional>

#include "prepared_text.h"
#include "target_index.h"

namespace velmoro::internal {

class ReversedTarget {
 public:
  // All three must outlive this object.
  ReversedTarget(const PreparedText& target, const PreparedText& source,
                 TargetIndex& index);

  // The first index at or behind from that is not a space.
  [[nodiscard]] std::size_t SkipSpaces(std::size_t from) const;

  // True when the reversed target, from index from on, begins with prefix.
  [[nodiscard]] bool StartsWith(std::size_t from, TextView prefix) const;

  // The 0-based start, in target.reversed(), of the first occurrence at or
  // behind from of word, a view into source.reversed(); nullopt when there is
  // none. Throws Overflow when it starts kSearchReach or more units behind
  // from.
  [[nodiscard]] std::optional<std::size_t> Find(TextView word, std::size_t from);

 private:
  // The source text that word, a view into source.reversed(), reverses.
  [[nodiscard]] TextView Unreversed(TextView word) const;

  TextView reversed_;
  const PreparedText& source_;
  TargetIndex& index_;
};

}  // namespace velmoro::internal
