#include "comparison_run.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "engine_test_support.h"

namespace velmoro {

using internal::RunComparison;

namespace {

using Slots = std::array<Integer, 5>;

ComparisonState Compared(TextView text1, TextView text2) {
  ComparisonState state;
  RunComparison(text1, text2, state);
  return state;
}

Text ResultText(const ComparisonState& state) {
  return DoubleToText(ResultValue(state), u'.');
}

// RunComparison and ResultValue on worked examples

struct ComparisonRow {
  Text text1;
  Text text2;
  float length_factor;
  Slots scores;
  Text result;
};

TEST(RunComparison, ScoresWorkedExamples) {
  const ComparisonRow rows[] = {
      // The factor rounded to single precision shows in the eighth digit.
      {Text(kSampleText1), Text(kSampleText2), kSamplePair.length_factor,
       {0, SampleScores()[0], SampleScores()[1], SampleScores()[2], SampleScores()[3]},
       Text(kSamplePair.result.begin(), kSamplePair.result.end())},
      {u"A B", u"a b", 1.0F, {0, 2, 2, 2, 2}, u"0"},
      {u"scar", u"car", 1.25F, {0, 0, 1, 1, 1}, u"1.11474252688113"},
      {u"bb a bb", u"a", 1.85714280605316F, {0, 1, 1, 4, 1}, u"1.91844379442377"},
      {u"a b a b", u"a b a b", 1.0F, {0, 7, 7, 7, 7}, u"0"},
      {u"to be or not to be", u"to be or not to be", 1.0F, {0, 19, 19, 19, 19}, u"0"},
      {u"\u00C4rger \u00FCber \u00D6l", u"\u00E4rger \u00FCber \u00F6l", 1.0F,
       {0, 4, 4, 4, 4}, u"0"},
      {u"X\U00010400Y", u"x\U00010428y", 1.0F, {0, 1, 1, 1, 1}, u"0"},
  };
  for (const ComparisonRow& row : rows) {
    SCOPED_TRACE(testing::Message() << Shown(row.text1) << " / " << Shown(row.text2));
    const ComparisonState state = Compared(row.text1, row.text2);
    EXPECT_EQ(state.LengthFactor, row.length_factor);
    EXPECT_EQ(state.DirectionScores, row.scores);
    EXPECT_EQ(ResultText(state), row.result);
  }
}

TEST(RunComparison, RoundsTheLengthFactorToSinglePrecision) {
  EXPECT_EQ(Compared(kSampleText1, kSampleText2).LengthFactor,
            static_cast<float>(1.0 / 62.0 + 1.0));
  // Measured against the first text alone, so swapping changes it.
  const ComparisonState swapped = Compared(u"car", u"scar");
  EXPECT_EQ(swapped.LengthFactor, 1.33333337306976F);
  EXPECT_EQ(swapped.LengthFactor, static_cast<float>(1.0 / 3.0 + 1.0));
  EXPECT_EQ(swapped.DirectionScores, (Slots{0, 1, 0, 1, 1}));
}

TEST(RunComparison, CountsLineBreaksInTheLengthFactor) {
  // Four units against three: the line break joins "a" and "b" into one word.
  const ComparisonState state = Compared(u"a\r\nb", u"a b");
  EXPECT_EQ(state.LengthFactor, static_cast<float>(1.0 / 4.0 + 1.0));
  EXPECT_EQ(state.DirectionScores[1], 0);
}

TEST(RunComparison, ScoresTheDirectionsInOrderAddingIntoTheirSlots) {
  ComparisonState state;
  state.DirectionScores = {9, 10, 10, 10, 10};
  std::vector<Slots> seen;
  RunComparison(u"A B", u"a b", state,
                [&](Integer direction) {
                  EXPECT_EQ(direction, static_cast<Integer>(seen.size() + 1));
                  seen.push_back(state.DirectionScores);
                });
  const std::vector<Slots> expected = {
      {9, 12, 10, 10, 10}, {9, 12, 12, 10, 10}, {9, 12, 12, 12, 10}, {9, 12, 12, 12, 12}};
  EXPECT_EQ(seen, expected);
}

// Errors

TEST(RunComparison, RaisesFPExceptionForAnEmptyText1BeforeAnyDirection) {
  for (const TextView text2 : {TextView(u"abc"), TextView()}) {
    SCOPED_TRACE(Shown(text2));
    ComparisonState state;
    bool scored = false;
    EXPECT_EQ(RaisedKind([&] {
                RunComparison(u"", text2, state, [&](Integer) { scored = true; });
              }),
              ErrorKind::FPException);
    EXPECT_FALSE(scored);
    EXPECT_EQ(state.DirectionScores, Slots{});
  }
}

TEST(RunComparison, PassesOnTheScorersErrors) {
  ComparisonState state;
  std::vector<Integer> scored;
  EXPECT_EQ(RaisedKind([&] {
              RunComparison(DistinctWords(300), u"0", state,
                            [&](Integer direction) { scored.push_back(direction); });
            }),
            ErrorKind::Overflow);
  EXPECT_EQ(scored, (std::vector<Integer>{1, 2}));
}

TEST(ResultValue, RaisesFPExceptionWhenBothCrossScoresAreZero) {
  const std::pair<Text, Text> pairs[] = {{u"x", u"y"}, {u"x", u""}, {u"x", u"   "}};
  for (const auto& [text1, text2] : pairs) {
    SCOPED_TRACE(testing::Message() << Shown(text1) << " / " << Shown(text2));
    const ComparisonState state = Compared(text1, text2);
    EXPECT_EQ(state.DirectionScores[1], 0);
    EXPECT_EQ(state.DirectionScores[2], 0);
    EXPECT_EQ(RaisedKind([&] { return ResultValue(state); }), ErrorKind::FPException);
  }
  EXPECT_EQ(Compared(u"x", u"y").DirectionScores, (Slots{0, 0, 0, 1, 1}));
}

TEST(ResultValue, IsDefinedForABlankText2WhenText1BeginsWithAMark) {
  // The empty first word of " x " is found in the blank target.
  const ComparisonState state = Compared(u"... x", u"   ");
  EXPECT_EQ(state.DirectionScores, (Slots{0, 1, 0, 2, 0}));
  EXPECT_EQ(RaisedKind([&] { return ResultValue(state); }), std::nullopt);
}

TEST(ResultValue, CombinesTheFourthRootWithTheScoreSums) {
  // A factor of 16 has the fourth root 2: 2 * (5 + 7) / (1 + 3) - 1.
  ComparisonState state;
  state.LengthFactor = 16.0F;
  state.DirectionScores = {0, 1, 3, 5, 7};
  EXPECT_EQ(ResultValue(state), 5.0);
  // No self-score at all: the lowest possible value.
  state.DirectionScores = {0, 1, 3, 0, 0};
  EXPECT_EQ(ResultValue(state), -1.0);
}

TEST(ResultValue, RaisesOverflowForAScoreSumPast32767) {
  ComparisonState state;
  state.LengthFactor = 1.0F;
  state.DirectionScores = {0, 1, 1, 16384, 16383};
  EXPECT_EQ(RaisedKind([&] { return ResultValue(state); }), std::nullopt);
  state.DirectionScores = {0, 1, 1, 16384, 16384};
  EXPECT_EQ(RaisedKind([&] { return ResultValue(state); }), ErrorKind::Overflow);
  state.DirectionScores = {0, 16384, 16384, 1, 1};
  EXPECT_EQ(RaisedKind([&] { return ResultValue(state); }), ErrorKind::Overflow);
}

// Display texts

TEST(ScoreTexts, PrefixTheScore) {
  EXPECT_EQ(SelfScoreText(150), u"STD: 150");
  EXPECT_EQ(CrossScoreText(15), u"#: 15");
  EXPECT_EQ(CrossScoreText(0), u"#: 0");
  EXPECT_EQ(SelfScoreText(-32768), u"STD: -32768");
}

}  // namespace
}  // namespace velmoro
