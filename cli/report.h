#pragma once

// What velmoro-cli prints about a Compare, in each of its forms: the two
// status-bar rows and the result line, a tab-separated row, or one JSON
// object; and the record of a pair that could not be read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "explanation_report.h"
#include "json_writer.h"
#include "velmoro/fronts.h"
#include "velmoro/velmoro.h"

namespace velmoro::cli {

// Where the pair of a record was read, in a run over many pairs.
struct RecordPlace {
  std::optional<std::size_t> line;     // from 1
  std::optional<std::string_view> id;  // raw JSON, as the line gave it
};

// One row per status bar, "1-2" then "2-1", each followed by the self-score
// and cross-score panels that the Compare produced, two spaces apart; then
// "Result: " and the result text when it was produced. Every line ends in
// "\n". A Compare that ended before any panel gives the rows "1-2" and "2-1"
// alone.
void AppendPlainReport(std::string& out, const Comparison& comparison);

// The header of the rows of --lines, naming their columns: "line", each
// direction's score by its status bar and panel ("1-2 #" for direction 1's
// cross-score), then "result".
void AppendTsvHeader(std::string& out);

// A row of --lines: the line number, the four scores ("-" where a direction
// did not complete), then the result or the error's kind, tab-separated.
void AppendTsvRow(std::string& out, std::size_t line, const Comparison& comparison);

// The row of --lines for a line that could not be read: as many columns as
// the others, the scores "-" and "input error: " and why last.
void AppendTsvInputError(std::string& out, std::size_t line, std::string_view why);

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

// The JSON record of a pair that could not be read: "line" and "id" where
// known, and "input_error", why.
void AppendJsonInputError(std::string& out, const RecordPlace& place, std::string_view why);

}  // namespace velmoro::cli
