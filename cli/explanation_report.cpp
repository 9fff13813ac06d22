#include "explanation_report.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <map>
#include <set>

#include "escaped_text.h"
#include "velmoro/directions.h"

namespace velmoro::cli {

namespace {

// The columns of the plain table; the first three and the last are text,
// aligned left.
constexpr std::size_t kColumns = 7;
using Row = std::array<std::string, kColumns>;
const Row kHeadings = {"word", "source", "target", "points", "following", "preceding", "why"};

bool AlignedLeft(std::size_t column) { return column < 3 || column == kColumns - 1; }

// Marks a place found inside a longer word of the target.
constexpr std::string_view kInsideMark = "*";

std::string Place(const Span& span) {
  return std::to_string(span.start) + '-' + std::to_string(span.end);
}

std::string Run(const std::optional<int>& run) { return run ? std::to_string(*run) : ""; }

std::string TargetPlace(const ExplainedWord& word) {
  if (!word.target) return "-";
  std::string place = Place(*word.target);
  if (word.match != MatchPlace::Word) place += kInsideMark;
  return place;
}

// The words of one direction as rows. A word whose places were used up may
// name the earlier word that used them: the words so named, which a first
// pass over the direction collects, are kept for the second.
class DirectionRows {
 public:
  DirectionRows(int targetName, const std::set<std::size_t>& named)
      : target_name_(targetName), named_(named) {}

  Row Next(const ExplainedWord& word) {
    const std::string shown = word.word.empty() ? "(empty word)" : Escaped(word.word);
    std::optional<std::string_view> usedBy;
    if (word.used_by) {
      used_by_indices_.insert(*word.used_by);
      if (const auto earlier = kept_.find(*word.used_by); earlier != kept_.end()) {
        usedBy = earlier->second;
      }
    }
    if (named_.contains(index_++)) kept_.emplace(index_ - 1, shown);
    return {shown,
            Place(word.source),
            TargetPlace(word),
            std::to_string(word.points),
            Run(word.following),
            Run(word.preceding),
            WhyNothing(word, usedBy, target_name_)};
  }

  // The indices of the words that the words so far named.
  [[nodiscard]] const std::set<std::size_t>& usedByIndices() const { return used_by_indices_; }

 private:
  int target_name_;
  const std::set<std::size_t>& named_;
  std::size_t index_ = 0;
  std::map<std::size_t, std::string> kept_;
  std::set<std::size_t> used_by_indices_;
};

std::string Heading(const DirectionExplanation& direction) {
  std::string heading = "Direction " + std::to_string(direction.direction) + ", " +
                        TextName(direction.source) + " against " +
                        (direction.source == direction.target ? "itself"
                                                              : TextName(direction.target)) +
                        ": score " + std::to_string(direction.score);
  if (!direction.complete) heading += ", when an error ended it";
  return heading + '\n';
}

void AppendRow(std::string& out, const Row& row, const std::array<std::size_t, kColumns>& widths) {
  for (std::size_t column = 0; column < kColumns; ++column) {
    // Nothing follows the last column, so it is never padded: its reasons
    // may name earlier words that the widths were measured without.
    const bool last = column + 1 == kColumns;
    const std::size_t padding = last ? 0 : widths[column] - DisplayWidth(row[column]);
    out += "  ";
    if (!AlignedLeft(column)) out.append(padding, ' ');
    out += row[column];
    if (AlignedLeft(column)) out.append(padding, ' ');
  }
  out.erase(out.find_last_not_of(' ') + 1);
  out += '\n';
}

void WritePlainDirection(std::string& out, const DirectionExplanation& direction,
                         const WalkedTexts& texts, const Drain& drain) {
  std::array<std::size_t, kColumns> widths{};
  const auto widen = [&widths](const Row& row) {
    for (std::size_t column = 0; column < kColumns; ++column) {
      widths[column] = std::max(widths[column], DisplayWidth(row[column]));
    }
  };
  // The last column is not padded, so the words a first pass cannot name
  // there do not change the widths.
  const std::set<std::size_t> none;
  DirectionRows measured(direction.target, none);
  texts.ForEachWord(direction.direction,
                    [&](const ExplainedWord& word) { widen(measured.Next(word)); });
  // The last column only where a word has a reason in it.
  Row headings = kHeadings;
  if (widths.back() == 0) headings.back().clear();
  widen(headings);
  out += '\n' + Heading(direction);
  AppendRow(out, headings, widths);
  DirectionRows rows(direction.target, measured.usedByIndices());
  texts.ForEachWord(direction.direction, [&](const ExplainedWord& word) {
    AppendRow(out, rows.Next(word), widths);
    drain();
  });
}

constexpr std::string_view kLegend =
    "\nsource, target: where a word stands in its source text and where it was found\n"
    "  in its target, in code points (start-end); * found inside a longer word.\n"
    "points: 0 not found, 1 found alone, else following + preceding.\n"
    "following, preceding: the runs of words after and before it that were found\n"
    "  in the same order; blank where a word was not credited by context.\n"
    "why: for a word that earned nothing, why: not in the target, or its places\n"
    "  there used by earlier words.\n";

std::string Number(double value) {
  std::array<char, 32> digits{};
  std::snprintf(digits.data(), digits.size(), "%.15g", value);
  return digits.data();
}

// The arithmetic that makes the result from the four scores.
void AppendResultArithmetic(std::string& out, const Comparison& comparison) {
  if (!comparison.result_text || !comparison.length_factor) return;
  const auto score = [&comparison](int direction) {
    return std::to_string(comparison.scores[DirectionIndex(direction)].value_or(0));
  };
  const StatusBarShape& bar1 = kStatusBars[0];
  const StatusBarShape& bar2 = kStatusBars[1];
  out += "\nResult: the fourth root of the length factor " + Number(*comparison.length_factor) +
         ", times (" + score(bar1.selfDirection) + " + " + score(bar2.selfDirection) + ") / (" +
         score(bar1.crossDirection) + " + " + score(bar2.crossDirection) + "), minus 1 = " +
         *comparison.result_text + '\n';
}

}  // namespace

std::string WhyNothing(const ExplainedWord& word, std::optional<std::string_view> usedBy,
                       int target) {
  if (!word.not_found) return {};
  if (*word.not_found == NotFound::Absent) return "not in " + TextName(target);
  std::string why = "its places in " + TextName(target) + " were used";
  if (usedBy) why += " by " + std::string(*usedBy);
  return why;
}

void WritePlainExplanation(std::string& out, const Comparison& comparison,
                           const WalkedTexts& walked, const Drain& drain) {
  for (int direction = 1; direction <= kDirectionCount; ++direction) {
    if (const auto explained = walked.record.Direction(direction)) {
      WritePlainDirection(out, *explained, walked, drain);
    }
  }
  out += kLegend;
  AppendResultArithmetic(out, comparison);
}
}  // namespace velmoro::cli
