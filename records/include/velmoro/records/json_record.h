#pragma once

// A comparison's record as JSON, with its keys from record_keys.h: what
// velmoro-cli --json prints for a pair and the browser module returns. The
// explanation lists, for each direction that ran, every word its scan walked,
// where it stands in its source text, where it was found in its target text,
// and what it earned. Places are code points of the texts as given, from 0,
// half-open. A long explanation is written out as it is made: drain is called
// between words and may take what out holds.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "velmoro/fronts.h"
#include "velmoro/records/json_writer.h"
#include "velmoro/velmoro.h"

namespace velmoro::records {

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

// Where the pair of a record was read, in a run over many pairs.
struct RecordPlace {
  std::optional<std::size_t> line;     // from 1
  std::optional<std::string_view> id;  // raw JSON, as the line gave it
};

// One pair's JSON object on one line, ending in "\n": "line" and "id" as
// place has them; "scores" (the four direction scores, null for a run that
// did not complete), "length_factor" (the single-precision factor widened to
// double, or null), "status1" and "status2" (the label and two panel texts of
// each bar, "" for a panel not produced), "result" (text or null), "distance"
// (the result as a number, or null), "error" (the error kind's name or null)
// and "message" (what happened and what to do, or null); then "explain" when
// walked is given. drain is called while a long explanation is written.
void AppendJsonRecord(std::string& out, const RecordPlace& place, const Comparison& comparison,
                      const WalkedTexts* walked, const Drain& drain);

// The record of a Compare that completed, without an explanation, written
// from its numbers alone: the bytes AppendJsonRecord writes for that Compare.
// False, and nothing written, for a Compare that ended in an error, whose
// record needs the texts that CompareGivenTexts gives.
[[nodiscard]] bool AppendCompletedJsonRecord(std::string& out, const RecordPlace& place,
                                             const CompareNumbers& numbers);

// The most characters of a result text: a sign, 15 digits, the point, "E",
// the exponent's sign and three digits.
inline constexpr std::size_t kResultTextChars = 22;

// A completed Compare's distance as its result text (Comparison::result_text)
// into at, which has room for kResultTextChars; returns the end of what it
// wrote.
char* WriteResultText(double distance, char* at);

// The JSON record of a pair that could not be read: "line" and "id" where
// known, and "input_error", why.
void AppendJsonInputError(std::string& out, const RecordPlace& place, std::string_view why);

// The key "explain" into the object that json, which writes to out, has open:
// an array of the four directions, each null (it did not run) or an object
// as WriteJsonDirection writes it, with every word walked.
void WriteJsonExplanation(JsonWriter& json, const WalkedTexts& walked, const Drain& drain);

// One direction of the explanation as its JSON object: "direction",
// "source" and "target" ("text1" or "text2"), "complete", "score", then
// "words", an array that writeWords fills, a word at a time with
// WriteJsonWord.
void WriteJsonDirection(JsonWriter& json, const DirectionExplanation& direction,
                        const std::function<void()>& writeWords);

// A word of a direction as a JSON object: "word", "source" ([start, end]),
// "target" ([start, end] or null), "points", "following" and "preceding"
// (null unless credited by context), and "not_found" ("absent" or "used")
// for a word of a completed direction that earned nothing.
void WriteJsonWord(JsonWriter& json, const ExplainedWord& word);

}  // namespace velmoro::records
