#pragma once

// What velmoro-cli --explain adds to its plain report: for each direction
// that ran, every word its scan walked, where it stands in its source text,
// where it was found in its target text, and what it earned. Places are code
// points of the texts as given, from 0, half-open. A long explanation is
// written out as it is made: drain is called between words and may take what
// out holds. The JSON form is the record library's.

#include <optional>
#include <string>
#include <string_view>

#include "velmoro/fronts.h"
#include "velmoro/records/json_record.h"

namespace velmoro::cli {

using records::Drain;
using records::WalkedTexts;

// One block per direction that ran, after an empty line: a heading with the
// direction's texts and score, then a table of the words aligned by display
// width (word, place in the source, place found in the target or "-" with "*"
// for a place inside a longer word, points, the following and preceding runs
// of a word credited by context, and why a word earned nothing); then a
// legend of the columns and, for a completed comparison, the arithmetic that
// makes its result from the length factor and the four scores.
void WritePlainExplanation(std::string& out, const Comparison& comparison,
                           const WalkedTexts& walked, const Drain& drain);

// Why word earned nothing, in words, or "" when that is not known: not in the
// target text (target, 1 or 2), or its places there used, by the earlier
// word usedBy where one is named.
[[nodiscard]] std::string WhyNothing(const ExplainedWord& word,
                                     std::optional<std::string_view> usedBy, int target);

}  // namespace velmoro::cli
