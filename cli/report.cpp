#include "report.h"

namespace velmoro::cli {

namespace {

void AppendProducedPanels(std::string& report, const std::array<std::string, 3>& bar) {
  std::size_t panels = 0;
  for (const std::string& panel : bar) {
    if (panel.empty()) continue;
    if (panels++ > 0) report += "  ";
    report += panel;
  }
  report += '\n';
}

void WriteStrings(JsonWriter& json, const std::array<std::string, 3>& strings) {
  json.BeginArray();
  for (const std::string& text : strings) json.String(text);
  json.EndArray();
}

// "line" and "id" of a record, where they are known.
void WriteWhere(JsonWriter& json, std::optional<std::size_t> line,
                std::optional<std::string_view> id) {
  if (line) {
    json.Key("line");
    json.Integer(static_cast<long long>(*line));
  }
  if (id) {
    json.Key("id");
    json.Raw(*id);
  }
}

}  // namespace

std::string PlainReport(const Comparison& comparison) {
  std::string report;
  AppendProducedPanels(report, comparison.status1);
  AppendProducedPanels(report, comparison.status2);
  if (comparison.result_text) report += "Result: " + *comparison.result_text + '\n';
  return report;
}

void WriteComparisonKeys(JsonWriter& json, const Comparison& comparison) {
  json.Key("scores");
  json.BeginArray();
  for (const std::optional<int>& score : comparison.scores) json.IntegerOrNull(score);
  json.EndArray();
  json.Key("length_factor");
  json.DoubleOrNull(comparison.length_factor);
  json.Key("status1");
  WriteStrings(json, comparison.status1);
  json.Key("status2");
  WriteStrings(json, comparison.status2);
  json.Key("result");
  json.StringOrNull(comparison.result_text);
  json.Key("distance");
  json.DoubleOrNull(comparison.distance);
  json.Key("error");
  json.StringOrNull(comparison.error
                        ? std::optional<std::string>(ErrorKindName(*comparison.error))
                        : std::nullopt);
  json.Key("message");
  json.StringOrNull(comparison.error ? std::optional<std::string>(comparison.message)
                                    : std::nullopt);
}

void AppendJsonRecord(std::string& out, const Comparison& comparison, const RecordExtras& extras,
                      const Drain& drain) {
  JsonWriter json(out);
  json.BeginObject();
  WriteWhere(json, extras.line, extras.id);
  WriteComparisonKeys(json, comparison);
  if (extras.walks != nullptr) {
    WriteJsonExplanation(json, *extras.walks, *extras.text1, *extras.text2, drain);
  }
  json.EndObject();
  out += '\n';
}

void AppendInputErrorRecord(std::string& out, std::optional<std::size_t> line,
                            std::optional<std::string_view> id, std::string_view why) {
  JsonWriter json(out);
  json.BeginObject();
  WriteWhere(json, line, id);
  json.Key("input_error");
  json.String(why);
  json.EndObject();
  out += '\n';
}

}  // namespace velmoro::cli
