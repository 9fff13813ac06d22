// The engine's public front for JavaScript: compare, explain and
// compareExplained give, as JSON text, what velmoro-cli --json, --json
// --explain (under "explain") and --json --explain print for a pair, written
// by the command-line front's own record writer; velmoro.js reads them back as
// objects. One text a call crosses into JavaScript several times faster than
// an object built there a value at a time.

#include <emscripten/bind.h>

#include <string>

#include "explanation_report.h"
#include "json_writer.h"
#include "report.h"
#include "velmoro/fronts.h"
#include "velmoro/velmoro.h"

namespace {

using velmoro::GivenText;
using velmoro::WalkRecord;

const velmoro::cli::Drain kNoDrain = [] {};

std::string Compare(const std::u16string& text1, const std::u16string& text2) {
  std::string out;
  velmoro::cli::AppendJsonRecord(out, {}, velmoro::Compare(text1, text2), nullptr, kNoDrain);
  return out;
}

// The comparison's record, with its explanation under "explain".
std::string Record(const std::u16string& text1, const std::u16string& text2) {
  const GivenText given1 = GivenText::FromUtf16(text1);
  const GivenText given2 = GivenText::FromUtf16(text2);
  WalkRecord record;
  const velmoro::Comparison comparison = velmoro::CompareGivenTexts(given1, given2, &record);
  const velmoro::cli::WalkedTexts walked{record, given1, given2};
  std::string out;
  velmoro::cli::AppendJsonRecord(out, {}, comparison, &walked, kNoDrain);
  return out;
}

// Only "explain" of the record.
std::string Explain(const std::u16string& text1, const std::u16string& text2) {
  const GivenText given1 = GivenText::FromUtf16(text1);
  const GivenText given2 = GivenText::FromUtf16(text2);
  WalkRecord record;
  static_cast<void>(velmoro::CompareGivenTexts(given1, given2, &record));
  std::string out;
  velmoro::cli::JsonWriter json(out);
  json.BeginObject();
  velmoro::cli::WriteJsonExplanation(json, {record, given1, given2}, kNoDrain);
  json.EndObject();
  return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(velmoro) {
  emscripten::function("compare", &Compare);
  emscripten::function("explain", &Explain);
  emscripten::function("compareExplained", &Record);
}
