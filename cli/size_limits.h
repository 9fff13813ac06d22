#pragma once

// The sizes velmoro-cli reads at most, and how its messages quote them, so
// that a message always says the limit the code holds.

#include <cstddef>
#include <string>

namespace velmoro::cli {

// The most velmoro-cli reads for one text: the largest size whose speed and
// memory the benchmarks measure.
inline constexpr std::size_t kTextLimitBytes = std::size_t{16} << 20;

// A batch line can hold two texts of the most size, each character of them
// written as a six-byte escape at worst.
inline constexpr std::size_t kLongestBatchLine = 2 * 6 * kTextLimitBytes + 4096;

// kTextLimitBytes as messages quote it: "16 MiB".
[[nodiscard]] inline std::string TextLimitText() {
  return std::to_string(kTextLimitBytes >> 20) + " MiB";
}

}  // namespace velmoro::cli
