#pragma once

// What velmoro-cli --explain adds to its report: for each direction that ran,
// every word its scan walked, where it stands in its source text, where it
// was found in its target text, and what it earned. Places are code points of
// the texts as given, from 0, half-open. A long explanation is written out as
// it is made: drain is called between words and may take what out holds.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "json_writer.h"
#include "velmoro/fronts.h"

namespace velmoro::cli {

using Drain = std::function<void()>;

// The words one Compare walked, with the two texts it was given, which the
// words are read from again.
struct WalkedTexts {
  const WalkRecord& record;
  const GivenText& text1;
  const GivenText& text2;

  template <typename Visit>
  void ForEachWord(int direction, Visit visit) const {
    record.ForEachWord(direction, text1, text2, visit);
  }
};

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

// A word of a direction as a JSON object: "word", "source" ([start, end]),
// "target" ([start, end] or null), "points", "following" and "preceding"
// (null unless credited by context), and "not_found" ("absent" or "used")
// for a word of a completed direction that earned nothing.
void WriteJsonWord(JsonWriter& json, const ExplainedWord& word);

// The key "explain" into the object that json, which writes to out, has open:
// an array of the four directions, each null (it did not run) or an object
// with "direction", "source" and "target" ("text1" or "text2"), "complete",
// "score" and "words", each word an object with "word", "source" ([start,
// end]), "target" ([start, end] or null), "points", and "following" and
// "preceding" (null unless credited by context).
void WriteJsonExplanation(JsonWriter& json, const WalkedTexts& walked, const Drain& drain);

// One direction of the explanation as its JSON object: "direction",
// "source", "target", "complete", "score", then "words", an array that
// writeWords fills, a word at a time with WriteJsonWord.
void WriteJsonDirection(JsonWriter& json, const DirectionExplanation& direction,
                        const std::function<void()>& writeWords);
void WriteJsonWord(JsonWriter& json, const ExplainedWord& word);

}  // namespace velmoro::cli
