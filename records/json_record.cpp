#include "velmoro/records/json_record.h"

#include "velmoro/directions.h"
#include "velmoro/records/record_keys.h"

namespace velmoro::records {

namespace {

void WriteStrings(JsonWriter& json, const std::array<std::string, 3>& strings) {
  json.BeginArray();
  for (const std::string& text : strings) json.String(text);
  json.EndArray();
}

void WritePlace(JsonWriter& json, const RecordPlace& place) {
  if (place.line) {
    json.Key(key::kLine);
    json.Integer(static_cast<long long>(*place.line));
  }
  if (place.id) {
    json.Key(key::kId);
    json.Raw(*place.id);
  }
}

void WriteComparisonKeys(JsonWriter& json, const Comparison& comparison) {
  json.Key(key::kScores);
  json.BeginArray();
  for (const std::optional<int>& score : comparison.scores) json.IntegerOrNull(score);
  json.EndArray();
  json.Key(key::kLengthFactor);
  json.DoubleOrNull(comparison.length_factor);
  json.Key(key::kStatus1);
  WriteStrings(json, comparison.status1);
  json.Key(key::kStatus2);
  WriteStrings(json, comparison.status2);
  json.Key(key::kResult);
  json.StringOrNull(comparison.result_text);
  json.Key(key::kDistance);
  json.DoubleOrNull(comparison.distance);
  json.Key(key::kError);
  json.StringOrNull(comparison.error
                        ? std::optional<std::string>(ErrorKindName(*comparison.error))
                        : std::nullopt);
  json.Key(key::kMessage);
  json.StringOrNull(comparison.error ? std::optional<std::string>(comparison.message)
                                    : std::nullopt);
}

void WriteSpan(JsonWriter& json, const Span& span) {
  json.BeginArray();
  json.Integer(static_cast<long long>(span.start));
  json.Integer(static_cast<long long>(span.end));
  json.EndArray();
}

}  // namespace

void AppendJsonRecord(std::string& out, const RecordPlace& place, const Comparison& comparison,
                      const WalkedTexts* walked, const Drain& drain) {
  JsonWriter json(out);
  json.BeginObject();
  WritePlace(json, place);
  WriteComparisonKeys(json, comparison);
  if (walked != nullptr) WriteJsonExplanation(json, *walked, drain);
  json.EndObject();
  out += '\n';
}

void AppendJsonInputError(std::string& out, const RecordPlace& place, std::string_view why) {
  JsonWriter json(out);
  json.BeginObject();
  WritePlace(json, place);
  json.Key(key::kInputError);
  json.String(why);
  json.EndObject();
  out += '\n';
}

void WriteJsonWord(JsonWriter& json, const ExplainedWord& word) {
  json.BeginObject();
  json.Key(key::kWord);
  json.String(word.word);
  json.Key(key::kSource);
  WriteSpan(json, word.source);
  json.Key(key::kTarget);
  if (word.target) {
    WriteSpan(json, *word.target);
  } else {
    json.Null();
  }
  json.Key(key::kPoints);
  json.Integer(word.points);
  json.Key(key::kFollowing);
  json.IntegerOrNull(word.following);
  json.Key(key::kPreceding);
  json.IntegerOrNull(word.preceding);
  if (word.not_found) {
    json.Key(key::kNotFound);
    json.String(NotFoundValue(*word.not_found));
  }
  json.EndObject();
}

void WriteJsonDirection(JsonWriter& json, const DirectionExplanation& direction,
                        const std::function<void()>& writeWords) {
  json.BeginObject();
  json.Key(key::kDirection);
  json.Integer(direction.direction);
  json.Key(key::kSource);
  json.String(TextValue(direction.source));
  json.Key(key::kTarget);
  json.String(TextValue(direction.target));
  json.Key(key::kComplete);
  json.Bool(direction.complete);
  json.Key(key::kScore);
  json.Integer(direction.score);
  json.Key(key::kWords);
  json.BeginArray();
  writeWords();
  json.EndArray();
  json.EndObject();
}

void WriteJsonExplanation(JsonWriter& json, const WalkedTexts& walked, const Drain& drain) {
  json.Key(key::kExplain);
  json.BeginArray();
  for (int direction = 1; direction <= kDirectionCount; ++direction) {
    if (const auto explained = walked.record.Direction(direction)) {
      WriteJsonDirection(json, *explained, [&] {
        walked.ForEachWord(direction, [&](const ExplainedWord& word) {
          WriteJsonWord(json, word);
          drain();
        });
      });
    } else {
      json.Null();
    }
  }
  json.EndArray();
}

}  // namespace velmoro::records
