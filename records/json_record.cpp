#include "velmoro/records/json_record.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>

#include "velmoro/directions.h"
#include "velmoro/procedures.h"
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

// Pieces of JSON joined at compile time: the fixed parts of a completed
// record, made of its keys and the status bars' shape.
class Joined {
 public:
  constexpr Joined(std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces) {
      for (const char c : piece) chars_[size_++] = c;
    }
  }
  [[nodiscard]] constexpr std::string_view view() const { return {chars_.data(), size_}; }

 private:
  std::array<char, 48> chars_{};
  std::size_t size_ = 0;
};

// Whether text goes into a JSON string as it is, with no escape.
constexpr bool NeedsNoEscape(std::string_view text) {
  return std::none_of(text.begin(), text.end(),
                      [](char c) { return c == '"' || c == '\\' || (c >= 0 && c < 0x20); });
}
static_assert(NeedsNoEscape(kStatusBars[0].label) && NeedsNoEscape(kStatusBars[1].label) &&
              NeedsNoEscape(kSelfScorePrefix) && NeedsNoEscape(kCrossScorePrefix));

constexpr Joined kLineKey{"\"", key::kLine, "\":"};
constexpr Joined kIdKey{"\"", key::kId, "\":"};
constexpr Joined kScoresKey{"\"", key::kScores, "\":["};
constexpr Joined kLengthFactorKey{"],\"", key::kLengthFactor, "\":"};
constexpr std::array<Joined, 2> kStatusKeys{
    Joined{",\"", key::kStatus1, "\":[\"", kStatusBars[0].label, "\",\"", kSelfScorePrefix},
    Joined{"\"],\"", key::kStatus2, "\":[\"", kStatusBars[1].label, "\",\"", kSelfScorePrefix}};
constexpr Joined kCrossPanel{"\",\"", kCrossScorePrefix};
constexpr Joined kResultKey{"\"],\"", key::kResult, "\":\""};
constexpr Joined kDistanceKey{"\",\"", key::kDistance, "\":"};
constexpr Joined kNoError{",\"", key::kError, "\":null,\"", key::kMessage, "\":null}\n"};

// The most characters of a number in a record.
constexpr std::size_t kIntegerChars = 20;
// The most characters of a completed record but for its id.
constexpr std::size_t kCompletedChars =
    2 + kLineKey.view().size() + kIntegerChars + kIdKey.view().size() + 1 +
    kScoresKey.view().size() + kDirectionCount * (kIntegerChars + 1) +
    kLengthFactorKey.view().size() + kJsonDoubleChars + kStatusKeys[0].view().size() +
    kStatusKeys[1].view().size() + 2 * (kCrossPanel.view().size() + 2 * kIntegerChars) +
    kResultKey.view().size() + kResultTextChars + kDistanceKey.view().size() + kJsonDoubleChars +
    kNoError.view().size();

// Writes a record from its start, with room enough made for it beforehand.
class RecordCursor {
 public:
  explicit RecordCursor(char* at) : at_(at) {}

  void Put(std::string_view text) { at_ = std::copy(text.begin(), text.end(), at_); }
  void Put(char c) { *at_++ = c; }
  void PutInteger(long long value) { at_ = std::to_chars(at_, at_ + kIntegerChars, value).ptr; }
  void PutDouble(double value) { at_ = WriteJsonDouble(value, at_); }
  void PutResultText(double distance) { at_ = WriteResultText(distance, at_); }
  [[nodiscard]] char* at() const { return at_; }

 private:
  char* at_;
};

void PutPlace(RecordCursor& cursor, const RecordPlace& place) {
  if (place.line) {
    cursor.Put(kLineKey.view());
    cursor.PutInteger(static_cast<long long>(*place.line));
  }
  if (place.id) {
    if (place.line) cursor.Put(',');
    cursor.Put(kIdKey.view());
    cursor.Put(*place.id);
  }
  if (place.line || place.id) cursor.Put(',');
}

void PutScores(RecordCursor& cursor, const std::array<int, kDirectionCount>& scores) {
  cursor.Put(kScoresKey.view());
  for (std::size_t i = 0; i < scores.size(); ++i) {
    if (i > 0) cursor.Put(',');
    cursor.PutInteger(scores[i]);
  }
}

void PutStatusBars(RecordCursor& cursor, const std::array<int, kDirectionCount>& scores) {
  for (std::size_t bar = 0; bar < kStatusBars.size(); ++bar) {
    cursor.Put(kStatusKeys[bar].view());
    cursor.PutInteger(scores[DirectionIndex(kStatusBars[bar].selfDirection)]);
    cursor.Put(kCrossPanel.view());
    cursor.PutInteger(scores[DirectionIndex(kStatusBars[bar].crossDirection)]);
  }
}

// A completed Compare has every score, its length factor and its distance.
bool Completed(const CompareNumbers& numbers) {
  return !numbers.error && numbers.length_factor && numbers.distance &&
         std::all_of(numbers.scores.begin(), numbers.scores.end(),
                     [](const std::optional<int>& score) { return score.has_value(); });
}

}  // namespace

bool AppendCompletedJsonRecord(std::string& out, const RecordPlace& place,
                               const CompareNumbers& numbers) {
  if (!Completed(numbers)) return false;
  std::array<int, kDirectionCount> scores{};
  std::transform(numbers.scores.begin(), numbers.scores.end(), scores.begin(),
                 [](const std::optional<int>& score) { return *score; });
  const std::size_t start = out.size();
  out.resize(start + kCompletedChars + place.id.value_or("").size());
  RecordCursor cursor(out.data() + start);
  cursor.Put('{');
  PutPlace(cursor, place);
  PutScores(cursor, scores);
  cursor.Put(kLengthFactorKey.view());
  cursor.PutDouble(*numbers.length_factor);
  PutStatusBars(cursor, scores);
  cursor.Put(kResultKey.view());
  cursor.PutResultText(*numbers.distance);
  cursor.Put(kDistanceKey.view());
  cursor.PutDouble(*numbers.distance);
  cursor.Put(kNoError.view());
  out.resize(static_cast<std::size_t>(cursor.at() - out.data()));
  return true;
}

char* WriteResultText(double distance, char* at) {
  // Digits, sign, point and exponent: each unit is an ASCII character, and
  // kResultTextChars of them at most, which min holds to whatever comes.
  const Text text = DoubleToText(distance, u'.');
  return std::transform(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(
                                                         std::min(text.size(), kResultTextChars)),
                        at, [](char16_t unit) { return static_cast<char>(unit); });
}

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
