#include "velmoro/fronts.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "compare_action.h"
#include "compare_message.h"
#include "direction_texts.h"
#include "not_found_reasons.h"
#include "target_words.h"
#include "utf8_text.h"
#include "velmoro/directions.h"
#include "word_walk.h"

namespace velmoro {

using internal::CompareDisplay;
using internal::CompareMessage;
using internal::CompareOutcome;
using internal::DirectionWalk;
using internal::DisplayOf;
using internal::ForEachWalkedWord;
using internal::FoundWord;
using internal::FromUtf8;
using internal::NormalizedWord;
using internal::NotFoundReasons;
using internal::RunCompareAction;
using internal::SourceAndTarget;
using internal::ToUtf8;
using internal::WalkedWord;
using internal::Walks;

struct WalkRecord::Walks {
  internal::Walks directions;
};

class WalkRecordAccess {
 public:
  static internal::Walks& Of(WalkRecord& record) { return record.walks_->directions; }
  static const internal::Walks& Of(const WalkRecord& record) { return record.walks_->directions; }
};

namespace {

// The result text is for callers of every locale alike.
constexpr char16_t kDecimalPoint = u'.';

CompareOutcome OutcomeOf(const GivenText& text1, const GivenText& text2, WalkRecord* record) {
  ComparisonState state;
  return RunCompareAction(text1.text(), text2.text(), state,
                          record != nullptr ? &WalkRecordAccess::Of(*record) : nullptr);
}

StatusTexts StatusTextsOf(const CompareDisplay& display) {
  const auto panel = [](const std::optional<Text>& text) { return text.value_or(Text()); };
  return {{{FromUtf8(kStatusBars[0].label), panel(display.self_score1),
            panel(display.cross_score1)},
           {FromUtf8(kStatusBars[1].label), panel(display.self_score2),
            panel(display.cross_score2)}}};
}

std::array<std::string, 3> Utf8Texts(const std::array<Text, 3>& texts) {
  return {ToUtf8(texts[0]), ToUtf8(texts[1]), ToUtf8(texts[2])};
}

CompareNumbers NumbersOf(const CompareOutcome& outcome) {
  CompareNumbers numbers;
  for (std::size_t i = 0; i < outcome.scores.size(); ++i) {
    if (outcome.scores[i]) numbers.scores[i] = *outcome.scores[i];
  }
  if (outcome.length_factor) numbers.length_factor = *outcome.length_factor;
  numbers.distance = outcome.result_value;
  numbers.error = outcome.error;
  numbers.message = CompareMessage(outcome);
  return numbers;
}

// Where the found word at index, among walk's words, stands among its found
// words.
std::size_t FoundIndexOf(const DirectionWalk& walk, std::size_t index) {
  const auto found =
      std::lower_bound(walk.found.begin(), walk.found.end(), index,
                       [](const FoundWord& word, std::size_t at) { return word.word < at; });
  return static_cast<std::size_t>(found - walk.found.begin());
}

// units, a span of text's compared text, in code points of text as given.
Span CodePoints(const GivenText& text, const Span& units) {
  return {text.CodePointOf(units.start), text.CodePointOf(units.end)};
}

Span Utf16Units(const GivenText& text, const Span& codePoints) {
  return {text.Utf16UnitOf(codePoints.start), text.Utf16UnitOf(codePoints.end)};
}

// Where a found word's match stands in target, and the word that holds it.
void ExplainMatch(const Span& match, const GivenText& target, internal::TargetWords& targetWords,
                  ExplainedWord& explained) {
  const Span holding = targetWords.Holding(match);
  explained.match = internal::PlaceIn(match, holding);
  explained.target = CodePoints(target, match);
  explained.enclosing = CodePoints(target, holding);
  explained.utf16.target = Utf16Units(target, *explained.target);
  explained.utf16.enclosing = Utf16Units(target, *explained.enclosing);
}

ExplainedWord ExplainedWordOf(const WalkedWord& word, const GivenText& source,
                              const GivenText& target, internal::TargetWords& targetWords) {
  ExplainedWord explained;
  explained.word = ToUtf8(NormalizedWord(source.text(), word));
  explained.source = CodePoints(source, {word.source_start, word.source_start + word.length});
  explained.utf16.source = Utf16Units(source, explained.source);
  if (word.found()) {
    ExplainMatch({word.target_start, word.target_start + word.length}, target, targetWords,
                 explained);
  }
  explained.points = word.points;
  if (word.by_context) {
    explained.following = word.following;
    explained.preceding = word.preceding;
  }
  return explained;
}

}  // namespace

WalkRecord::WalkRecord() : walks_(std::make_unique<Walks>()) {}
WalkRecord::~WalkRecord() = default;
WalkRecord::WalkRecord(WalkRecord&&) noexcept = default;
WalkRecord& WalkRecord::operator=(WalkRecord&&) noexcept = default;

std::optional<DirectionExplanation> WalkRecord::Direction(int direction) const {
  const std::optional<DirectionWalk>& walk = walks_->directions[DirectionIndex(direction)];
  if (!walk) return std::nullopt;
  DirectionExplanation explained;
  explained.direction = direction;
  explained.source = kDirectionTexts[DirectionIndex(direction)].source;
  explained.target = kDirectionTexts[DirectionIndex(direction)].target;
  explained.complete = walk->complete;
  explained.score = walk->score;
  return explained;
}

void WalkRecord::ForEachWord(int direction, const GivenText& text1, const GivenText& text2,
                             const std::function<void(const ExplainedWord&)>& visit) const {
  const std::optional<DirectionWalk>& walk = walks_->directions[DirectionIndex(direction)];
  if (!walk) return;
  // Named, not bound, so that the lambda below can capture them.
  const auto texts = SourceAndTarget(direction, text1, text2);
  const GivenText& source = texts.first;
  const GivenText& target = texts.second;
  std::optional<NotFoundReasons> reasons;
  if (walk->complete) reasons.emplace(source.text(), target.text(), *walk);
  internal::TargetWords targetWords(target.text());
  // Where each found word so far stands, for the words whose places it used.
  std::vector<Span> foundSources;
  foundSources.reserve(walk->found.size());
  std::size_t index = 0;
  ForEachWalkedWord(source.text(), *walk, [&](const WalkedWord& word) {
    ExplainedWord explained = ExplainedWordOf(word, source, target, targetWords);
    if (reasons && !word.found()) {
      const NotFoundReasons::Reason reason = reasons->Of(index);
      explained.not_found = reason.kind;
      explained.used_by = reason.used_by;
      if (reason.used_by) {
        explained.used_by_source = foundSources[FoundIndexOf(*walk, *reason.used_by)];
        explained.utf16.used_by_source = Utf16Units(source, *explained.used_by_source);
      }
    }
    if (word.found()) foundSources.push_back(explained.source);
    visit(explained);
    ++index;
  });
}

Comparison CompareGivenTexts(const GivenText& text1, const GivenText& text2, WalkRecord* record) {
  return ComparisonOf(NumbersOf(OutcomeOf(text1, text2, record)));
}

CompareNumbers CompareGivenNumbers(const GivenText& text1, const GivenText& text2) {
  return NumbersOf(OutcomeOf(text1, text2, nullptr));
}

// What the panels and the result text are made of: the scores of the
// directions that completed and the result.
Comparison ComparisonOf(const CompareNumbers& numbers) {
  CompareOutcome outcome;
  for (std::size_t i = 0; i < numbers.scores.size(); ++i) {
    if (numbers.scores[i]) outcome.scores[i] = static_cast<Integer>(*numbers.scores[i]);
  }
  outcome.result_value = numbers.distance;
  const CompareDisplay display = DisplayOf(outcome, kDecimalPoint);
  const StatusTexts status = StatusTextsOf(display);
  Comparison comparison{numbers.scores, numbers.length_factor, Utf8Texts(status[0]),
                        Utf8Texts(status[1]), std::nullopt, numbers.distance, numbers.error,
                        numbers.message};
  if (display.result) comparison.result_text = ToUtf8(*display.result);
  return comparison;
}

CompareView CompareGivenView(const GivenText& text1, const GivenText& text2, WalkRecord* record) {
  const CompareOutcome outcome = OutcomeOf(text1, text2, record);
  return {NumbersOf(outcome), StatusTextsOf(DisplayOf(outcome, kDecimalPoint))};
}

}  // namespace velmoro
