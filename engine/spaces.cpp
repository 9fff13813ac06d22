#include "spaces.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmoro::internal {

// A word ends wherever a unit that is not a space has a space behind it.
std::size_t CountWordsEndedBySpace(std::u16string_view text) {
  std::size_t ends = 0;
  std::size_t i = 1;
#if defined(__SSE2__)
  // Eight units at a time, each against the unit behind it; a word end adds
  // 1 to its lane, and the byte sums gather the lanes in two 64-bit halves.
  const __m128i space = _mm_set1_epi16(static_cast<short>(u' '));
  const __m128i one = _mm_set1_epi16(1);
  __m128i sums = _mm_setzero_si128();
  for (; i + 8 <= text.size(); i += 8) {
    const __m128i before =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i - 1));
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i wordEnds =
        _mm_andnot_si128(_mm_cmpeq_epi16(before, space), _mm_cmpeq_epi16(units, space));
    sums = _mm_add_epi64(sums, _mm_sad_epu8(_mm_and_si128(wordEnds, one),
                                            _mm_setzero_si128()));
  }
  ends = static_cast<std::size_t>(_mm_cvtsi128_si64(sums)) +
         static_cast<std::size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
#endif
  for (; i < text.size(); ++i) {
    ends += static_cast<std::size_t>(text[i - 1] != u' ' && text[i] == u' ');
  }
  return ends;
}

}  // namespace velmoro::internal
