#include "substring_search.h"

#include <bit>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "tuning.h"

namespace velmoro::internal {

namespace {

bool SameUnits(const char16_t* a, const char16_t* b, std::size_t count) {
  return std::memcmp(a, b, count * sizeof(char16_t)) == 0;
}

// Knuth-Morris-Pratt over any pair of random-access ranges: never re-reads a
// haystack unit. Returns the index in the haystack range where the first match
// ends (one past its last unit), or kNotFound.
template <typename Iterator>
std::size_t EndOfFirstMatch(Iterator haystack, std::size_t haystackSize,
                            Iterator needle, std::size_t needleSize) {
  const auto unit = [](Iterator text, std::size_t i) {
    return text[static_cast<std::ptrdiff_t>(i)];
  };
  std::vector<std::size_t> border(needleSize, 0);
  for (std::size_t i = 1, k = 0; i < needleSize; ++i) {
    while (k > 0 && unit(needle, i) != unit(needle, k)) k = border[k - 1];
    if (unit(needle, i) == unit(needle, k)) ++k;
    border[i] = k;
  }
  for (std::size_t i = 0, k = 0; i < haystackSize; ++i) {
    while (k > 0 && unit(haystack, i) != unit(needle, k)) k = border[k - 1];
    if (unit(haystack, i) == unit(needle, k)) ++k;
    if (k == needleSize) return i + 1;
  }
  return kNotFound;
}

#if defined(__SSE2__)
// The same for a short needle: a word is a few units long, shorter than the
// call to memcmp.
bool SameShortUnits(const char16_t* a, const char16_t* b, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// The eight starts from block on where both the first and the last unit of a
// needle of size units match: two mask bits per start.
unsigned CandidateStarts(const char16_t* text, std::size_t block, std::size_t size,
                         __m128i first, __m128i last) {
  const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + block));
  const __m128i tails =
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + block + size - 1));
  return static_cast<unsigned>(_mm_movemask_epi8(
      _mm_and_si128(_mm_cmpeq_epi16(heads, first), _mm_cmpeq_epi16(tails, last))));
}

// The first of block's eight starts marked in candidates where needle matches.
std::size_t FirstMarkedMatch(const char16_t* text, std::size_t block, unsigned candidates,
                             std::u16string_view needle) {
  while (candidates != 0) {
    const auto bit = static_cast<unsigned>(std::countr_zero(candidates));
    const std::size_t at = block + bit / 2;
    if (SameShortUnits(text + at, needle.data(), needle.size())) return at;
    candidates &= ~(3U << bit);
  }
  return kNotFound;
}

// The last of block's eight starts marked in candidates where needle matches.
std::size_t LastMarkedMatch(const char16_t* text, std::size_t block, unsigned candidates,
                            std::u16string_view needle) {
  while (candidates != 0) {
    const auto bit = static_cast<unsigned>(31 - std::countl_zero(candidates));
    const std::size_t at = block + bit / 2;
    if (SameShortUnits(text + at, needle.data(), needle.size())) return at;
    candidates &= ~(3U << (bit & ~1U));
  }
  return kNotFound;
}

// Eight starts at a time: only candidate starts are compared. The starts left
// over at the end are tried in one more block that overlaps the last one.
std::size_t FindShort(std::u16string_view haystack, std::u16string_view needle,
                      std::size_t from) {
  const std::size_t size = needle.size();
  if (size == 0) return from;
  if (haystack.size() < size || from > haystack.size() - size) return kNotFound;
  const std::size_t lastStart = haystack.size() - size;
  // Fewer starts than one block holds are tried one by one.
  if (lastStart < 7) return haystack.find(needle, from);
  const char16_t* text = haystack.data();
  const __m128i first = _mm_set1_epi16(static_cast<short>(needle.front()));
  const __m128i last = _mm_set1_epi16(static_cast<short>(needle.back()));
  std::size_t start = from;
  for (; start + 8 <= lastStart + 1; start += 8) {
    const std::size_t found =
        FirstMarkedMatch(text, start, CandidateStarts(text, start, size, first, last), needle);
    if (found != kNotFound) return found;
  }
  if (start > lastStart) return kNotFound;
  const std::size_t block = lastStart - 7;
  const unsigned untried = ~0U << (2 * (start - block));
  return FirstMarkedMatch(text, block, CandidateStarts(text, block, size, first, last) & untried,
                          needle);
}

// The same filter, eight starts at a time from the end backwards.
std::size_t FindLastShort(std::u16string_view haystack, std::u16string_view needle) {
  const std::size_t size = needle.size();
  if (size == 0) return haystack.size();
  if (haystack.size() < size) return kNotFound;
  std::size_t end = haystack.size() - size + 1;  // the starts not yet tried
  if (end < 8) return haystack.rfind(needle);
  const char16_t* text = haystack.data();
  const __m128i first = _mm_set1_epi16(static_cast<short>(needle.front()));
  const __m128i last = _mm_set1_epi16(static_cast<short>(needle.back()));
  for (; end >= 8; end -= 8) {
    const std::size_t block = end - 8;
    const std::size_t found =
        LastMarkedMatch(text, block, CandidateStarts(text, block, size, first, last), needle);
    if (found != kNotFound) return found;
  }
  if (end == 0) return kNotFound;
  const unsigned untried = (1U << (2 * end)) - 1;
  return LastMarkedMatch(text, 0, CandidateStarts(text, 0, size, first, last) & untried, needle);
}
#else
std::size_t FindShort(std::u16string_view haystack, std::u16string_view needle,
                      std::size_t from) {
  return haystack.find(needle, from);
}

std::size_t FindLastShort(std::u16string_view haystack, std::u16string_view needle) {
  return haystack.rfind(needle);
}
#endif

}  // namespace

std::size_t FindUnits(std::u16string_view haystack,
                      std::u16string_view needle, std::size_t from) {
  if (from > haystack.size()) return kNotFound;
  if (needle.size() <= kShortNeedle) return FindShort(haystack, needle, from);
  const std::u16string_view rest = haystack.substr(from);
  const std::size_t end =
      EndOfFirstMatch(rest.begin(), rest.size(), needle.begin(), needle.size());
  return end == kNotFound ? kNotFound : from + end - needle.size();
}

bool StartsWithAt(std::u16string_view haystack, std::size_t from,
                  std::u16string_view prefix) {
  if (from > haystack.size() || haystack.size() - from < prefix.size()) return false;
  // A text compared with itself, as a self-comparison does, needs no reading.
  return haystack.data() + from == prefix.data() ||
         SameUnits(haystack.data() + from, prefix.data(), prefix.size());
}

std::size_t FindLastUnits(std::u16string_view haystack,
                          std::u16string_view needle) {
  if (needle.size() <= kShortNeedle) return FindLastShort(haystack, needle);
  // The first match of the reversed needle in the reversed haystack.
  const std::size_t end = EndOfFirstMatch(haystack.rbegin(), haystack.size(),
                                          needle.rbegin(), needle.size());
  return end == kNotFound ? kNotFound : haystack.size() - end;
}

}  // namespace velmoro::internal
