#include "report.h"

#include "velmoro/directions.h"
#include "velmoro/records/json_record.h"

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

// "#" of the panel prefix "#: ".
std::string PanelName(std::string_view prefix) {
  return std::string(prefix.substr(0, prefix.find(':')));
}

// "1-2 #": the bar and panel that show direction's score.
std::string ScoreColumnName(int direction) {
  for (const StatusBarShape& bar : kStatusBars) {
    if (bar.crossDirection == direction) return std::string(bar.label) + ' ' + PanelName(kCrossScorePrefix);
    if (bar.selfDirection == direction) return std::string(bar.label) + ' ' + PanelName(kSelfScorePrefix);
  }
  return "direction " + std::to_string(direction);
}

constexpr std::string_view kNoScore = "-";

}  // namespace

void AppendTsvHeader(std::string& out) {
  out += "line";
  for (int direction = 1; direction <= kDirectionCount; ++direction) {
    out += '\t' + ScoreColumnName(direction);
  }
  out += "\tresult\n";
}

void AppendPlainReport(std::string& out, const Comparison& comparison) {
  AppendProducedPanels(out, comparison.status1);
  AppendProducedPanels(out, comparison.status2);
  if (comparison.result_text) out += "Result: " + *comparison.result_text + '\n';
}

void AppendTsvRow(std::string& out, std::size_t line,
                  const std::array<std::optional<int>, 4>& scores,
                  const std::optional<double>& distance, const std::optional<ErrorKind>& error) {
  out += std::to_string(line);
  for (const std::optional<int>& score : scores) {
    out += '\t';
    out += score ? std::to_string(*score) : std::string(kNoScore);
  }
  out += '\t';
  if (error) {
    out += ErrorKindName(*error);
  } else {
    std::array<char, records::kResultTextChars> result{};
    out.append(result.data(), records::WriteResultText(*distance, result.data()));
  }
  out += '\n';
}

void AppendTsvInputError(std::string& out, std::size_t line, std::string_view why) {
  out += std::to_string(line);
  for (int direction = 1; direction <= kDirectionCount; ++direction) {
    out += '\t';
    out += kNoScore;
  }
  out += "\tinput error: ";
  out += why;
  out += '\n';
}

}  // namespace velmoro::cli
