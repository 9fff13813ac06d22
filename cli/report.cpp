#include "report.h"

#include <array>
#include <optional>

#include <nlohmann/json.hpp>

#include "utf8_text.h"

namespace velmoro::cli {

namespace {

using Json = nlohmann::ordered_json;

// A status bar's label followed by its two panel texts.
using StatusBar = std::array<std::string, 3>;

std::string PanelText(const std::optional<Text>& text) {
  return text ? ToUtf8(*text) : std::string();
}

std::array<StatusBar, 2> StatusBars(const CompareDisplay& display) {
  return {{{"1-2", PanelText(display.selfScore1), PanelText(display.crossScore1)},
           {"2-1", PanelText(display.selfScore2), PanelText(display.crossScore2)}}};
}

std::string JoinProducedPanels(const StatusBar& bar) {
  std::string row;
  for (const std::string& panel : bar) {
    if (panel.empty()) continue;
    if (!row.empty()) row += "  ";
    row += panel;
  }
  return row;
}

template <typename Value, typename Convert>
Json ValueOrNull(const std::optional<Value>& value, Convert convert) {
  return value ? Json(convert(*value)) : Json(nullptr);
}

Json Scores(const std::array<std::optional<Integer>, 4>& scores) {
  Json list = Json::array();
  for (const std::optional<Integer>& score : scores) {
    list.push_back(ValueOrNull(score, [](Integer value) { return value; }));
  }
  return list;
}

std::string_view Explanation(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Overflow:
      return "a score or position passed 32767";
    case ErrorKind::FPException:
      return "division by zero or another floating-point error";
    case ErrorKind::InvalidArgument:
      return "a text operation was given an invalid argument";
    case ErrorKind::BoundsError:
      return "an index was out of range";
  }
  return "an unknown error";
}

}  // namespace

std::string PlainReport(const CompareOutcome& outcome) {
  std::string report;
  for (const StatusBar& bar : StatusBars(outcome.display)) {
    report += JoinProducedPanels(bar) + '\n';
  }
  if (outcome.display.result) report += "Result: " + ToUtf8(*outcome.display.result) + '\n';
  return report;
}

std::string JsonReport(const CompareOutcome& outcome) {
  const std::array<StatusBar, 2> bars = StatusBars(outcome.display);
  Json report;
  report["scores"] = Scores(outcome.scores);
  report["length_factor"] =
      ValueOrNull(outcome.lengthFactor, [](float value) { return static_cast<double>(value); });
  report["status1"] = bars[0];
  report["status2"] = bars[1];
  report["result"] = ValueOrNull(outcome.display.result, ToUtf8);
  report["error"] = ValueOrNull(outcome.error, [](ErrorKind kind) {
    return std::string(ErrorKindName(kind));
  });
  return report.dump() + '\n';
}

std::string ErrorReport(ErrorKind kind) {
  return std::string(ErrorKindName(kind)) + ": " + std::string(Explanation(kind));
}

}  // namespace velmoro::cli
