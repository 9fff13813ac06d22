#pragma once

// The reach of the scorer's searches. Every position the scorer narrows to an
// Integer counts from where its search starts, so an occurrence that starts
// further than this from there can only end the comparison with Overflow.

#include <cstddef>

namespace velmoro {

// The furthest 1-based position, counted from the search start, that fits an
// Integer.
inline constexpr std::size_t kSearchReach = 32767;

// A search that may cover more than this many units first asks the target
// index whether the word can occur there at all; a shorter one is cheaper
// than the question.
inline constexpr std::size_t kAskIndexFrom = 4096;

}  // namespace velmoro
