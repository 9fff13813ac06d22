#pragma once

// What velmoro-cli --explain adds to its report: for each direction that ran,
// every word its scan walked, where it stands in its source text, where it
// was found in its target text, and what it earned. Places are code points of
// the texts as given, from 0, half-open. A long explanation is written out as
// it is made: drain is called between words and may take what out holds.

#include <functional>
#include <string>

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
// direction's texts and score, then an aligned table of the words (word,
// place in the source, place found in the target or "-", points, and the
// following and preceding runs of a word credited by context).
void WritePlainExplanation(std::string& out, const WalkedTexts& walked, const Drain& drain);

// The key "explain" into the object that json, which writes to out, has open:
// an array of the four directions, each null (it did not run) or an object
// with "direction", "source" and "target" ("text1" or "text2"), "complete",
// "score" and "words", each word an object with "word", "source" ([start,
// end]), "target" ([start, end] or null), "points", and "following" and
// "preceding" (null unless credited by context).
void WriteJsonExplanation(JsonWriter& json, const WalkedTexts& walked, const Drain& drain);

}  // namespace velmoro::cli
