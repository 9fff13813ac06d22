// Properties of whole comparisons over thousands of generated pairs: the
// Compare action reports what each direction scores on its own, swapping the
// texts exchanges the directions, identical texts give 0, and the result is
// never below -1.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "compare_action.h"
#include "direction_outcome.h"
#include "property_support.h"

namespace velmoro::properties {

using internal::CompareOutcome;
using internal::DisplayOf;
using internal::RunCompareAction;

namespace {

constexpr Long kIntegerMax = 32'767;

CompareOutcome Compare(TextView text1, TextView text2) {
  ComparisonState state;
  return RunCompareAction(text1, text2, state);
}

// The error the result measure raises for four completed scores: a sum past
// 32767, then cross-scores that sum to 0.
std::optional<ErrorKind> ResultError(const std::array<Integer, 4>& scores) {
  const Long self = Long{scores[2]} + scores[3];
  const Long cross = Long{scores[0]} + scores[1];
  if (self > kIntegerMax || cross > kIntegerMax) return ErrorKind::Overflow;
  if (cross == 0) return ErrorKind::FPException;
  return std::nullopt;
}

// An empty Text1 ends the run before any direction; otherwise the directions
// run in order, on texts prepared once, until one raises an error, and the
// result measure follows.
void ExpectActionLikeSingleDirections(const TextPair& pair) {
  const CompareOutcome outcome = Compare(pair.text1, pair.text2);
  if (pair.text1.empty()) {
    EXPECT_EQ(outcome.error, ErrorKind::FPException);
    EXPECT_EQ(outcome.scores, (std::array<std::optional<Integer>, 4>{}));
    return;
  }
  std::array<Integer, 4> scores{};
  for (std::size_t d = 0; d < scores.size(); ++d) {
    SCOPED_TRACE(testing::Message() << "direction " << d + 1);
    const DirectionOutcome expected = ScoreWith(kEngineScorer, static_cast<Integer>(d + 1),
                                                pair.text1, pair.text2);
    if (expected.error) {
      EXPECT_EQ(outcome.error, expected.error);
      EXPECT_EQ(outcome.scores[d], std::nullopt);
      return;
    }
    EXPECT_EQ(outcome.scores[d], expected.score);
    scores[d] = expected.score;
  }
  EXPECT_EQ(outcome.error, ResultError(scores));
}

void ExpectDirectionsExchanged(const TextPair& pair) {
  constexpr std::array<std::array<Integer, 2>, 2> kExchanged = {{{1, 2}, {3, 4}}};
  for (const auto [direction, swapped] : kExchanged) {
    SCOPED_TRACE(testing::Message() << "directions " << direction << " and " << swapped);
    EXPECT_EQ(ScoreWith(kEngineScorer, direction, pair.text1, pair.text2),
              ScoreWith(kEngineScorer, swapped, pair.text2, pair.text1));
    EXPECT_EQ(ScoreWith(kEngineScorer, swapped, pair.text1, pair.text2),
              ScoreWith(kEngineScorer, direction, pair.text2, pair.text1));
  }
}

void ExpectZeroOrError(TextView text) {
  const CompareOutcome outcome = Compare(text, text);
  if (outcome.error) return;
  EXPECT_EQ(DisplayOf(outcome, u'.').result, Text(u"0"));
  EXPECT_EQ(outcome.scores[0], outcome.scores[2]);
  EXPECT_EQ(outcome.scores[1], outcome.scores[3]);
}

void ExpectResultAtLeastMinusOne(const TextPair& pair) {
  const CompareOutcome outcome = Compare(pair.text1, pair.text2);
  const std::optional<Text> resultText = DisplayOf(outcome, u'.').result;
  if (!resultText) return;
  const std::string shown(resultText->begin(), resultText->end());
  SCOPED_TRACE(shown);
  char* end = nullptr;
  const double result = std::strtod(shown.c_str(), &end);
  EXPECT_EQ(*end, '\0');
  EXPECT_GE(result, -1.0);
}

// Runs check on the small pairs, those over a tiny vocabulary, the large ones
// and those at the reach, up to the first failing pair.
void ForEveryPair(const std::function<void(const TextPair&)>& check) {
  for (const TextPair& pair : TinyVocabularyPairs()) {
    if (testing::Test::HasFailure()) return;
    SCOPED_TRACE(Described(pair));
    check(pair);
  }
  PairGenerator small(kSmallSeed);
  for (int i = 0; i < kSmallPairs && !testing::Test::HasFailure(); ++i) {
    const TextPair pair = small.SmallPair();
    SCOPED_TRACE(Described(pair));
    check(pair);
  }
  PairGenerator large(kLargeSeed);
  for (int i = 0; i < kLargePairs && !testing::Test::HasFailure(); ++i) {
    const TextPair pair = large.LargePair();
    SCOPED_TRACE(testing::Message() << "large pair " << i << ": " << Described(pair));
    check(pair);
  }
  for (const TextPair& pair : PairsAtTheReach()) {
    if (testing::Test::HasFailure()) return;
    SCOPED_TRACE("at the reach: " + Described(pair));
    check(pair);
  }
}

TEST(CompareAction, ReportsEachDirectionsScoreAndTheFirstError) {
  ForEveryPair(ExpectActionLikeSingleDirections);
}

TEST(SwappedTexts, ExchangeDirectionsOneAndTwoAndThreeAndFour) {
  ForEveryPair(ExpectDirectionsExchanged);
}

TEST(IdenticalTexts, GiveZeroOrAnError) {
  ForEveryPair([](const TextPair& pair) {
    ExpectZeroOrError(pair.text1);
    ExpectZeroOrError(pair.text2);
  });
}

TEST(ResultValue, IsNeverBelowMinusOne) { ForEveryPair(ExpectResultAtLeastMinusOne); }

}  // namespace
}  // namespace velmoro::properties
