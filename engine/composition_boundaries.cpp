#include "composition_boundaries.h"

#include <algorithm>
#include <iterator>

namespace velmoro::internal {

namespace {

struct CodePointRange {
  char32_t first;
  char32_t last;
};

// The code points with no boundary before them, by first code point.
constexpr CodePointRange kNoBoundaryBefore[] = {
#include "composition_boundaries.inc"
};

}  // namespace

bool HasCompositionBoundaryBefore(char32_t c) {
  const auto behind =
      std::upper_bound(std::begin(kNoBoundaryBefore), std::end(kNoBoundaryBefore), c,
                       [](char32_t at, const CodePointRange& range) { return at < range.first; });
  return behind == std::begin(kNoBoundaryBefore) || c > std::prev(behind)->last;
}

}  // namespace velmoro::internal
