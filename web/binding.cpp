// The engine's public front for JavaScript: compare and explain give the
// objects that velmoro-cli --json and --json --explain print, with the same
// keys and values, built as JavaScript values rather than as JSON text.

#include <emscripten/bind.h>

#include <cmath>
#include <optional>
#include <string>

#include "velmoro/velmoro.h"

namespace {

using emscripten::val;

// The keys of the records, each made into a JavaScript string once: a key
// given as C text is read into a new string at every use.
struct Keys {
  val scores{"scores"}, length_factor{"length_factor"}, status1{"status1"},
      status2{"status2"}, result{"result"}, distance{"distance"}, error{"error"},
      message{"message"}, explain{"explain"}, direction{"direction"}, source{"source"},
      target{"target"}, complete{"complete"}, score{"score"}, words{"words"}, word{"word"},
      points{"points"}, following{"following"}, preceding{"preceding"};
};

const Keys& Key() {
  static const Keys keys;
  return keys;
}

// The name of Array.prototype.push, likewise made once.
EMSCRIPTEN_SYMBOL(push);

template <typename T>
val ValueOrNull(const std::optional<T>& value) {
  return value ? val(*value) : val::null();
}

// A number as JSON holds it: one that is not finite has no JSON form, and is
// null.
val NumberOrNull(const std::optional<double>& value) {
  return value && std::isfinite(*value) ? val(*value) : val::null();
}

template <typename Items, typename Convert>
val ArrayOf(const Items& items, Convert convert) {
  val array = val::array();
  for (const auto& item : items) array.call<void>(push_symbol, convert(item));
  return array;
}

val Place(const velmoro::Span& span) {
  val place = val::array();
  place.call<void>(push_symbol, span.start);
  place.call<void>(push_symbol, span.end);
  return place;
}

val TextName(int text) { return val("text" + std::to_string(text)); }

val WordRecord(const velmoro::ExplainedWord& word) {
  val record = val::object();
  record.set(Key().word, word.word);
  record.set(Key().source, Place(word.source));
  record.set(Key().target, word.target ? Place(*word.target) : val::null());
  record.set(Key().points, word.points);
  record.set(Key().following, ValueOrNull(word.following));
  record.set(Key().preceding, ValueOrNull(word.preceding));
  return record;
}

val DirectionRecord(const std::optional<velmoro::DirectionExplanation>& direction) {
  if (!direction) return val::null();
  val record = val::object();
  record.set(Key().direction, direction->direction);
  record.set(Key().source, TextName(direction->source));
  record.set(Key().target, TextName(direction->target));
  record.set(Key().complete, direction->complete);
  record.set(Key().score, direction->score);
  record.set(Key().words, ArrayOf(direction->words, WordRecord));
  return record;
}

val ExplanationRecord(const velmoro::Explanation& explanation) {
  return ArrayOf(explanation, DirectionRecord);
}

val ComparisonRecord(const velmoro::Comparison& comparison) {
  const auto text = [](const std::string& panel) { return val(panel); };
  val record = val::object();
  record.set(Key().scores, ArrayOf(comparison.scores, ValueOrNull<int>));
  record.set(Key().length_factor, NumberOrNull(comparison.length_factor));
  record.set(Key().status1, ArrayOf(comparison.status1, text));
  record.set(Key().status2, ArrayOf(comparison.status2, text));
  record.set(Key().result, ValueOrNull(comparison.result_text));
  record.set(Key().distance, NumberOrNull(comparison.distance));
  record.set(Key().error, comparison.error
                          ? val(std::string(velmoro::ErrorKindName(*comparison.error)))
                          : val::null());
  record.set(Key().message, comparison.error ? val(comparison.message) : val::null());
  return record;
}

val Compare(const std::u16string& text1, const std::u16string& text2) {
  return ComparisonRecord(velmoro::Compare(text1, text2));
}

val Explain(const std::u16string& text1, const std::u16string& text2) {
  return ExplanationRecord(velmoro::Explain(text1, text2));
}

// The comparison's record with its explanation under "explain", from one
// Compare, as --json --explain prints it.
val CompareExplained(const std::u16string& text1, const std::u16string& text2) {
  velmoro::Explanation explanation;
  val record = ComparisonRecord(velmoro::Compare(text1, text2, explanation));
  record.set(Key().explain, ExplanationRecord(explanation));
  return record;
}

}  // namespace

EMSCRIPTEN_BINDINGS(velmoro) {
  emscripten::function("compare", &Compare);
  emscripten::function("explain", &Explain);
  emscripten::function("compareExplained", &CompareExplained);
}
