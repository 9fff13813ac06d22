#include "velmoro/velmoro.h"

#include <cstddef>
#include <utility>

#include "compare_action.h"
#include "compare_message.h"
#include "comparison_run.h"
#include "direction_scorer.h"
#include "front.h"
#include "utf8_text.h"

namespace velmoro {

namespace {

// The result text is for callers of every locale alike.
constexpr char16_t kDecimalPoint = u'.';

std::string Utf8OrEmpty(const std::optional<Text>& text) {
  return text ? ToUtf8(*text) : std::string();
}

Comparison ComparisonOf(const CompareOutcome& outcome) {
  Comparison comparison;
  for (std::size_t i = 0; i < outcome.scores.size(); ++i) {
    if (outcome.scores[i]) comparison.scores[i] = *outcome.scores[i];
  }
  if (outcome.lengthFactor) comparison.length_factor = *outcome.lengthFactor;
  const CompareDisplay& display = outcome.display;
  comparison.status1 = {ToUtf8(kStatusBar1Label), Utf8OrEmpty(display.selfScore1),
                        Utf8OrEmpty(display.crossScore1)};
  comparison.status2 = {ToUtf8(kStatusBar2Label), Utf8OrEmpty(display.selfScore2),
                        Utf8OrEmpty(display.crossScore2)};
  if (display.result) comparison.result_text = ToUtf8(*display.result);
  comparison.distance = outcome.resultValue;
  comparison.error = outcome.error;
  comparison.message = CompareMessage(outcome);
  return comparison;
}

Explanation ExplanationOf(const Walks& walks, const GivenText& text1, const GivenText& text2) {
  Explanation explanation;
  for (std::size_t i = 0; i < walks.size(); ++i) {
    if (!walks[i]) continue;
    DirectionExplanation& direction = explanation[i].emplace(ExplainedDirection(*walks[i]));
    const auto texts = GivenTextsOf(direction.direction, text1, text2);
    direction.words.reserve(walks[i]->walked);
    ForEachWalkedWord(texts.first.text(), *walks[i], [&](const WalkedWord& word) {
      direction.words.push_back(ExplainedWordOf(word, texts.first, texts.second));
    });
  }
  return explanation;
}

Comparison CompareAndExplain(const GivenText& text1, const GivenText& text2,
                             Explanation& explanation) {
  Walks walks;
  Comparison comparison = CompareGiven(text1, text2, &walks);
  explanation = ExplanationOf(walks, text1, text2);
  return comparison;
}

}  // namespace

CompareOutcome CompareGivenTexts(const GivenText& text1, const GivenText& text2, Walks* walks) {
  ComparisonState state;
  return RunCompareAction(text1.text(), text2.text(), state, kDecimalPoint, walks);
}

Comparison CompareGiven(const GivenText& text1, const GivenText& text2, Walks* walks) {
  return ComparisonOf(CompareGivenTexts(text1, text2, walks));
}

DirectionExplanation ExplainedDirection(const DirectionWalk& walk) {
  DirectionExplanation direction;
  direction.direction = walk.direction;
  constexpr int kText1 = 1;
  constexpr int kText2 = 2;
  const auto [source, target] = SourceAndTarget(walk.direction, kText1, kText2);
  direction.source = source;
  direction.target = target;
  direction.complete = walk.complete;
  direction.score = walk.score;
  return direction;
}

ExplainedWord ExplainedWordOf(const WalkedWord& word, const GivenText& source,
                              const GivenText& target) {
  ExplainedWord explained;
  explained.word = ToUtf8(NormalizedWord(source.text(), word));
  explained.source = {source.CodePointOf(word.sourceStart),
                      source.CodePointOf(word.sourceStart + word.length)};
  if (word.found()) {
    explained.target = Span{target.CodePointOf(word.targetStart),
                            target.CodePointOf(word.targetStart + word.length)};
  }
  explained.points = word.points;
  if (word.byContext) {
    explained.following = word.following;
    explained.preceding = word.preceding;
  }
  return explained;
}

std::pair<const GivenText&, const GivenText&> GivenTextsOf(int direction, const GivenText& text1,
                                                           const GivenText& text2) {
  return SourceAndTarget(static_cast<Integer>(direction), text1, text2);
}

Comparison Compare(std::string_view text1, std::string_view text2) {
  return CompareGiven(GivenText::FromUtf8(text1), GivenText::FromUtf8(text2));
}

Comparison Compare(std::u16string_view text1, std::u16string_view text2) {
  return CompareGiven(GivenText::FromUtf16(text1), GivenText::FromUtf16(text2));
}

Comparison Compare(std::string_view text1, std::string_view text2, Explanation& explanation) {
  return CompareAndExplain(GivenText::FromUtf8(text1), GivenText::FromUtf8(text2), explanation);
}

Comparison Compare(std::u16string_view text1, std::u16string_view text2,
                   Explanation& explanation) {
  return CompareAndExplain(GivenText::FromUtf16(text1), GivenText::FromUtf16(text2),
                           explanation);
}

Explanation Explain(std::string_view text1, std::string_view text2) {
  Explanation explanation;
  static_cast<void>(Compare(text1, text2, explanation));
  return explanation;
}

Explanation Explain(std::u16string_view text1, std::u16string_view text2) {
  Explanation explanation;
  static_cast<void>(Compare(text1, text2, explanation));
  return explanation;
}

}  // namespace velmoro
