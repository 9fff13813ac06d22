#pragma once

// Finding a run of 16-bit units inside a text in time linear in the text,
// whatever the two texts hold: the naive search degrades to the product of the
// two lengths on periodic texts ("abab...ab" against "abab...ac").

#include <cstddef>
#include <string_view>

namespace velmoro::internal {

inline constexpr std::size_t kNotFound = std::u16string_view::npos;

// The index of the first occurrence of needle in haystack at or behind from,
// or kNotFound. An empty needle is found at from when from <= haystack.size().
[[nodiscard]] std::size_t FindUnits(std::u16string_view haystack,
                                    std::u16string_view needle,
                                    std::size_t from = 0);

// True when haystack, from index from on, begins with prefix.
[[nodiscard]] bool StartsWithAt(std::u16string_view haystack, std::size_t from,
                                std::u16string_view prefix);

// The index of the last occurrence of needle in haystack, or kNotFound. An
// empty needle is found at haystack.size().
[[nodiscard]] std::size_t FindLastUnits(std::u16string_view haystack,
                                        std::u16string_view needle);

}  // namespace velmoro::internal
