#include <algorithm>
#include <cstdint>
#include <iterator>

#include "lower_case.h"

namespace velmoro::internal {

namespace {

// The code points from first to last, step apart, map to themselves plus
// difference.
struct CaseRun {
  char32_t first;
  char32_t last;
  std::uint8_t step;
  std::int32_t difference;
};

// Every simple lower-case mapping, by first code point; made from ICU when
// the engine is built.
constexpr CaseRun kCaseRuns[] = {
#include "lower_case_runs.inc"
};

}  // namespace

char32_t SimpleLowerCase(char32_t c) {
  const auto behind = std::upper_bound(std::begin(kCaseRuns), std::end(kCaseRuns), c,
                                       [](char32_t at, const CaseRun& run) { return at < run.first; });
  if (behind == std::begin(kCaseRuns)) return c;
  const CaseRun& run = *std::prev(behind);
  if (c > run.last || (c - run.first) % run.step != 0) return c;
  return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.difference);
}

}  // namespace velmoro::internal
