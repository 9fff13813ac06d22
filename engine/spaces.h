#pragma once

// Stepping over the U+0020 spaces that separate words, the only character the
// engine treats as white space, and counting the words they end.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmoro::internal {

// The first index at or behind from whose unit is not a space; text.size()
// when there is none.
[[nodiscard]] inline std::size_t SkipSpaces(std::u16string_view text,
                                            std::size_t from) {
  while (from < text.size() && text[from] == u' ') ++from;
  return from;
}

// The number of words in text that a space follows.
[[nodiscard]] std::size_t CountWordsEndedBySpace(std::u16string_view text);

// Calls onSpace(i) for the index i of every space of text, in order. Text
// between spaces is passed over eight units at a time where the machine can.
template <typename OnSpace>
void ForEachSpace(std::u16string_view text, OnSpace&& onSpace) {
  std::size_t block = 0;
#if defined(__SSE2__)
  const __m128i space = _mm_set1_epi16(static_cast<short>(u' '));
  for (; block + 8 <= text.size(); block += 8) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + block));
    const __m128i spaces = _mm_cmpeq_epi16(units, space);
    // One bit a unit.
    auto bits = static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_packs_epi16(spaces, _mm_setzero_si128())));
    for (; bits != 0; bits &= bits - 1) {
      onSpace(block + static_cast<std::size_t>(std::countr_zero(bits)));
    }
  }
#endif
  for (std::size_t i = block; i < text.size(); ++i) {
    if (text[i] == u' ') onSpace(i);
  }
}

}  // namespace velmoro::internal
