// The engine's public front for JavaScript: compare, explain and
// compareExplained give, as JSON text, what velmoro-cli --json, --json
// --explain (under "explain") and --json --explain print for a pair, written
// by the command-line front's own writers; velmoro.js reads them back as
// objects. One text a call crosses into JavaScript several times faster than
// an object built there a value at a time.

#include <emscripten/bind.h>

#include <string>

#include "explanation_report.h"
#include "json_writer.h"
#include "report.h"
#include "velmoro/velmoro.h"

namespace {

using velmoro::cli::JsonWriter;

// The four directions, each null when it did not run.
void WriteExplanation(JsonWriter& json, const velmoro::Explanation& explanation) {
  json.BeginArray();
  for (const std::optional<velmoro::DirectionExplanation>& direction : explanation) {
    if (!direction) {
      json.Null();
      continue;
    }
    velmoro::cli::WriteJsonDirection(json, *direction, [&] {
      for (const velmoro::ExplainedWord& word : direction->words) {
        velmoro::cli::WriteJsonWord(json, word);
      }
    });
  }
  json.EndArray();
}

std::string Compare(const std::u16string& text1, const std::u16string& text2) {
  std::string out;
  JsonWriter json(out);
  json.BeginObject();
  velmoro::cli::WriteComparisonKeys(json, velmoro::Compare(text1, text2));
  json.EndObject();
  return out;
}

std::string Explain(const std::u16string& text1, const std::u16string& text2) {
  std::string out;
  JsonWriter json(out);
  WriteExplanation(json, velmoro::Explain(text1, text2));
  return out;
}

// The comparison's keys and its explanation under "explain", from one
// Compare.
std::string CompareExplained(const std::u16string& text1, const std::u16string& text2) {
  velmoro::Explanation explanation;
  const velmoro::Comparison comparison = velmoro::Compare(text1, text2, explanation);
  std::string out;
  JsonWriter json(out);
  json.BeginObject();
  velmoro::cli::WriteComparisonKeys(json, comparison);
  json.Key("explain");
  WriteExplanation(json, explanation);
  json.EndObject();
  return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(velmoro) {
  emscripten::function("compare", &Compare);
  emscripten::function("explain", &Explain);
  emscripten::function("compareExplained", &CompareExplained);
}
