#pragma once

// One benchmark case: a pair of texts that each iteration compares with one
// whole Compare action, and what the case reports beside its time: the answer
// as its label, and the counters input_MiB and peak_rss_MiB.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <functional>
#include <string>

#include "compare_action.h"

namespace velmoro::bench {

struct TextPair {
  Text text1;
  Text text2;
};

// A pair made for a size in units per text.
using PairMaker = TextPair (*)(std::size_t units);

// make(units), made on the first call and kept until a call asks for another
// pair: the repeated runs of one case generate it once, and a later case does
// not carry it in memory.
[[nodiscard]] const TextPair& CachedPair(PairMaker make, std::size_t units);

// The answer of a Compare on one line: "result " and the result text, or the
// error's name; then the four scores in direction order, "-" for a direction
// that did not complete: "result 6.6973953762657 [15 24 150 149]",
// "Overflow [120 - - -]".
[[nodiscard]] std::string OutcomeLabel(const internal::CompareOutcome& outcome);

// Compares pair once, outside any timing. When accepted rejects the outcome,
// skips the case with the answer as its error and returns false, so that a
// broken engine cannot pass for a fast one.
[[nodiscard]] bool AnswerAccepted(
    benchmark::State& state, const TextPair& pair,
    const std::function<bool(const internal::CompareOutcome&)>& accepted);

// Whether each timed Compare also records the words it walks, as an
// explanation needs.
enum class Walking { NotRecorded, Recorded };

// Times RunCompareAction(pair.text1, pair.text2) with a fresh comparison
// state and "." as decimal separator, once per iteration, then labels the
// case with the last answer and sets the counters input_MiB (both texts
// together, one byte a unit, as their ASCII files hold them) and peak_rss_MiB
// (the high-water mark of the whole process so far, not of this case alone).
void TimeCompare(benchmark::State& state, const TextPair& pair,
                 Walking walking = Walking::NotRecorded);

}  // namespace velmoro::bench
