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
  json.Key("error");
  json.StringOrNull(comparison.error
                        ? std::optional<std::string>(ErrorKindName(*comparison.error))
                        : std::nullopt);
  json.Key("message");
  json.StringOrNull(comparison.error ? std::optional<std::string>(comparison.message)
                                    : std::nullopt);
}

}  // namespace velmoro::cli
