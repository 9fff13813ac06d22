#pragma once

// The engine's two integer types and their checked arithmetic. Integer is
// 16-bit and Long 32-bit, both signed; a sum, difference or narrowing that
// leaves the type's range raises Overflow instead of wrapping around.
// Arithmetic that mixes an Integer and a Long is done as Long: an Integer
// argument converts to Long implicitly.

#include <cstdint>

#include "velmoro/text.h"

namespace velmoro::internal {

// x as an Integer. Throws Overflow outside -32768 to 32767.
[[nodiscard]] Integer ToInteger(Long x);

// x as a Long. Throws Overflow outside the 32-bit range.
[[nodiscard]] Long ToLong(std::int64_t x);

// Exact sums and differences. Throw Overflow when the result leaves the range.
[[nodiscard]] Integer AddInteger(Integer a, Integer b);
[[nodiscard]] Long SubtractLong(Long a, Long b);

// |x|. Throws Overflow for the one Long whose magnitude is not a Long.
[[nodiscard]] Long Abs(Long x);

}  // namespace velmoro::internal
