#pragma once

// What velmoro-cli prints about a Compare: the two status-bar rows and the
// result line as plain text, or the same as the keys of one JSON object.

#include <string>

#include "json_writer.h"
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
// bar, "" for a panel not produced), "result" (text or null), "error" (the
// error kind's name or null) and "message" (what happened and what to do, or
// null), into the object that json has open.
void WriteComparisonKeys(JsonWriter& json, const Comparison& comparison);

}  // namespace velmoro::cli
