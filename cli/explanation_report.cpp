#include "explanation_report.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "escaped_text.h"
#include "velmoro/directions.h"

namespace velmoro::cli {

namespace {

// The columns of the plain table; the first three are text, aligned left.
constexpr std::size_t kColumns = 6;
constexpr std::size_t kTextColumns = 3;
using Row = std::array<std::string, kColumns>;
const Row kHeadings = {"word", "source", "target", "points", "following", "preceding"};

std::string Place(const Span& span) {
  return std::to_string(span.start) + '-' + std::to_string(span.end);
}

std::string Run(const std::optional<int>& run) { return run ? std::to_string(*run) : ""; }

Row RowOf(const ExplainedWord& word) {
  return {word.word.empty() ? "(empty word)" : Escaped(word.word), Place(word.source),
          word.target ? Place(*word.target) : "-", std::to_string(word.points),
          Run(word.following), Run(word.preceding)};
}

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
    const std::size_t padding = widths[column] - DisplayWidth(row[column]);
    out += "  ";
    if (column >= kTextColumns) out.append(padding, ' ');
    out += row[column];
    if (column < kTextColumns) out.append(padding, ' ');
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
  widen(kHeadings);
  texts.ForEachWord(direction.direction,
                    [&](const ExplainedWord& word) { widen(RowOf(word)); });
  out += '\n' + Heading(direction);
  AppendRow(out, kHeadings, widths);
  texts.ForEachWord(direction.direction, [&](const ExplainedWord& word) {
    AppendRow(out, RowOf(word), widths);
    drain();
  });
}

void WriteJsonPlace(JsonWriter& json, const Span& span) {
  json.BeginArray();
  json.Integer(static_cast<long long>(span.start));
  json.Integer(static_cast<long long>(span.end));
  json.EndArray();
}

void WriteJsonWord(JsonWriter& json, const ExplainedWord& word) {
  json.BeginObject();
  json.Key("word");
  json.String(word.word);
  json.Key("source");
  WriteJsonPlace(json, word.source);
  json.Key("target");
  if (word.target) {
    WriteJsonPlace(json, *word.target);
  } else {
    json.Null();
  }
  json.Key("points");
  json.Integer(word.points);
  json.Key("following");
  json.IntegerOrNull(word.following);
  json.Key("preceding");
  json.IntegerOrNull(word.preceding);
  json.EndObject();
}

void WriteJsonDirection(JsonWriter& json, const DirectionExplanation& direction,
                        const WalkedTexts& texts, const Drain& drain) {
  json.BeginObject();
  json.Key("direction");
  json.Integer(direction.direction);
  json.Key("source");
  json.String("text" + std::to_string(direction.source));
  json.Key("target");
  json.String("text" + std::to_string(direction.target));
  json.Key("complete");
  json.Bool(direction.complete);
  json.Key("score");
  json.Integer(direction.score);
  json.Key("words");
  json.BeginArray();
  texts.ForEachWord(direction.direction, [&](const ExplainedWord& word) {
    WriteJsonWord(json, word);
    drain();
  });
  json.EndArray();
  json.EndObject();
}

}  // namespace

void WritePlainExplanation(std::string& out, const WalkedTexts& walked, const Drain& drain) {
  for (int direction = 1; direction <= kDirectionCount; ++direction) {
    if (const auto explained = walked.record.Direction(direction)) {
      WritePlainDirection(out, *explained, walked, drain);
    }
  }
}

void WriteJsonExplanation(JsonWriter& json, const WalkedTexts& walked, const Drain& drain) {
  json.Key("explain");
  json.BeginArray();
  for (int direction = 1; direction <= kDirectionCount; ++direction) {
    if (const auto explained = walked.record.Direction(direction)) {
      WriteJsonDirection(json, *explained, walked, drain);
    } else {
      json.Null();
    }
  }
  json.EndArray();
}

}  // namespace velmoro::cli
