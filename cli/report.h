#pragma once

// What velmoro-cli prints about a Compare in its plain and tab-separated
// forms: the two status-bar rows and the result line, or a tab-separated row;
// and the row of a pair that could not be read. The JSON record is the record
// library's (velmoro/records/json_record.h).

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "velmoro/velmoro.h"

namespace velmoro::cli {

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
// did not complete), then the result text of distance or the error's kind,
// tab-separated.
void AppendTsvRow(std::string& out, std::size_t line,
                  const std::array<std::optional<int>, 4>& scores,
                  const std::optional<double>& distance, const std::optional<ErrorKind>& error);

// The row of --lines for a line that could not be read: as many columns as
// the others, the scores "-" and "input error: " and why last.
void AppendTsvInputError(std::string& out, std::size_t line, std::string_view why);

}  // namespace velmoro::cli
