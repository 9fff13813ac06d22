#include "substring_search.h"

#include <vector>

namespace velmoro {

namespace {

// Up to this length the first-unit scan with a direct comparison costs at most
// this many unit comparisons per haystack unit, so it stays linear.
constexpr std::size_t kShortNeedle = 16;

std::size_t FindShort(std::u16string_view haystack,
                      std::u16string_view needle, std::size_t from) {
  return haystack.find(needle, from);
}

// Knuth-Morris-Pratt: never re-reads a haystack unit.
std::size_t FindLong(std::u16string_view haystack, std::u16string_view needle,
                     std::size_t from) {
  std::vector<std::size_t> border(needle.size(), 0);
  for (std::size_t i = 1, k = 0; i < needle.size(); ++i) {
    while (k > 0 && needle[i] != needle[k]) k = border[k - 1];
    if (needle[i] == needle[k]) ++k;
    border[i] = k;
  }
  for (std::size_t i = from, k = 0; i < haystack.size(); ++i) {
    while (k > 0 && haystack[i] != needle[k]) k = border[k - 1];
    if (haystack[i] == needle[k]) ++k;
    if (k == needle.size()) return i + 1 - k;
  }
  return kNotFound;
}

}  // namespace

std::size_t FindUnits(std::u16string_view haystack,
                      std::u16string_view needle, std::size_t from) {
  if (from > haystack.size()) return kNotFound;
  if (needle.size() > haystack.size() - from) return kNotFound;
  return needle.size() <= kShortNeedle ? FindShort(haystack, needle, from)
                                       : FindLong(haystack, needle, from);
}

}  // namespace velmoro
