#pragma once

// Fibonacci hashing: the top bits of a key's product with 2^64 divided by the
// golden ratio mix every bit of the key, so keys that stand evenly apart, as
// words of one length do, still spread over a table of a power-of-two size.

#include <cstdint>

namespace velmoro::internal {

// The slot of key in a table of 2^bits slots, for bits from 1 to 63.
[[nodiscard]] constexpr std::uint64_t FibonacciSlot(std::uint64_t key, int bits) {
  return (key * 0x9E3779B97F4A7C15ULL) >> (64 - bits);
}

}  // namespace velmoro::internal
