#pragma once

// What velmoro-cli prints about a Compare: the two status-bar rows and the
// result line as plain text, or the same as the keys of one JSON object.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "explanation_report.h"
#include "json_writer.h"
#include "velmoro/fronts.h"
#include "velmoro/velmoro.h"

namespace velmoro::cli {

// One row per status bar, "1-2" then "2-1", each followed by the self-score
// and cross-score panels that the Compare produced, two spaces apart; then
// "Result: " and the result text when it was produced. Every line ends in
// "\n". A Compare that ended before any panel gives the rows "1-2" and "2-1"
// alone.
[[nodiscard]] std::string PlainReport(const Comparison& comparison);

// The keys "scores" (the four direction scores, null for a run that did not
// complete), "length_factor" (the single-precision factor widened to double,
// or null), "status1" and "status2" (the label and two panel texts of each
// bar, "" for a panel not produced), "result" (text or null), "distance" (the
// result as a number, or null), "error" (the error kind's name or null) and
// "message" (what happened and what to do, or null), into the object that
// json has open.
void WriteComparisonKeys(JsonWriter& json, const Comparison& comparison);

// What a JSON record of one pair adds to the comparison: where the pair was
// read, and the words walked when an explanation was asked for.
struct RecordExtras {
  std::optional<std::size_t> line;    // "line", first, for a line of a batch
  std::optional<std::string_view> id; // "id", raw JSON, as the line gave it
  const WalkRecord* walks = nullptr;  // "explain", last, over the two texts
  const GivenText* text1 = nullptr;
  const GivenText* text2 = nullptr;
};

// One pair's JSON object on one line, ending in "\n": "line" and "id" as
// extras has them, the keys of WriteComparisonKeys, then "explain". drain is
// called while a long explanation is written.
void AppendJsonRecord(std::string& out, const Comparison& comparison, const RecordExtras& extras,
                      const Drain& drain = [] {});

// The JSON record of a line that could not be read: "line", "id" when it
// could be read, and "input_error", why.
void AppendInputErrorRecord(std::string& out, std::optional<std::size_t> line,
                            std::optional<std::string_view> id, std::string_view why);

}  // namespace velmoro::cli
