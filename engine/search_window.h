#pragma once

// The reach of the scorer's searches. Every position the scorer narrows to an
// Integer counts from where its search starts, so an occurrence that starts
// further than this from there can only end the comparison with Overflow.

#include <cstddef>
#include <optional>
#include <string_view>

#include "tuning.h"

namespace velmoro::internal {

// The furthest 1-based position, counted from the search start, that fits an
// Integer.
inline constexpr std::size_t kSearchReach = 32767;

// Whether a text of size units lies wholly within reach of every search of it.
[[nodiscard]] constexpr bool WithinReach(std::size_t size) { return size <= kSearchReach; }

// Where word stands when it begins right where a search of text from from
// starts, past spaces and within reach; nullopt otherwise. A word next to its
// neighbour, as in a self-comparison, stands there, and checking costs less
// than asking the target index.
template <typename Haystack>
[[nodiscard]] std::optional<std::size_t> FoundWhereSearchStarts(const Haystack& text,
                                                                std::u16string_view word,
                                                                std::size_t from) {
  const std::size_t start = text.SkipSpaces(from);
  if (start - from < kSearchReach && text.StartsWith(start, word)) return start;
  return std::nullopt;
}

}  // namespace velmoro::internal
