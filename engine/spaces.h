#pragma once

// Stepping over the U+0020 spaces that separate words, the only character the
// engine treats as white space, and counting the words they end.

#include <cstddef>
#include <string_view>

namespace velmoro {

// The first index at or behind from whose unit is not a space; text.size()
// when there is none.
[[nodiscard]] inline std::size_t SkipSpaces(std::u16string_view text,
                                            std::size_t from) {
  while (from < text.size() && text[from] == u' ') ++from;
  return from;
}

// The number of words in text that a space follows.
[[nodiscard]] std::size_t CountWordsEndedBySpace(std::u16string_view text);

}  // namespace velmoro
