#pragma once

// Deterministic texts for the benchmarks: prose-like pastes drawn from an
// English-like vocabulary, and the plain building blocks the adversarial
// cases are made of. The same arguments give the same text on every run and
// every platform. Every generator returns exactly the number of units asked
// for, cutting its last piece where the count ends.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "text_primitives.h"

namespace velmoro::bench {

// Prose-like text: sentences of 4 to 21 words drawn with Zipf-like frequencies
// from common English words and a long tail of made-up ones, a capital at each
// sentence start, commas, semicolons and colons inside, a full stop, question
// or exclamation mark at the end, and a "\r\n" line break after about one
// sentence in six. Different seeds give different texts over the same
// vocabulary. No word holds a "q", a "z" or a digit.
[[nodiscard]] Text ProseText(std::size_t units, std::uint64_t seed);

// One word of random lower-case letters, without spaces.
[[nodiscard]] Text HugeWord(std::size_t units, std::uint64_t seed);

// piece repeated; empty when units is 0. piece must not be empty.
[[nodiscard]] Text Repeated(TextView piece, std::size_t units);

// The distinct words letter000000, letter000001, ..., each followed by one
// space: distinct up to 8 million units, and no word occurs inside another.
[[nodiscard]] Text DistinctWords(std::size_t units, char16_t letter);

// The words of text: the runs between single spaces, as views into it.
[[nodiscard]] std::vector<TextView> SplitWords(TextView text);

// The words of text (the runs between single spaces) in reversed order, each
// followed by one space: as long as text when text is words each followed by
// one space.
[[nodiscard]] Text ReversedWords(TextView text);

// The words of text (the runs between single spaces) in a random order, each
// followed by one space: as long as text when text is words each followed by
// one space.
[[nodiscard]] Text ShuffledWords(TextView text, std::uint64_t seed);

// text with one lower-case letter replaced by the next one ("z" by "a"): the
// last unit for unitsFromEnd 1, the one before it for 2, and so on. The unit
// must be a lower-case letter and unitsFromEnd at most the length of text.
[[nodiscard]] Text ChangedNearEnd(TextView text, std::size_t unitsFromEnd);

}  // namespace velmoro::bench
