#include "compare_action.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>

#include "engine_test_support.h"

namespace velmoro {

using internal::CompareDisplay;
using internal::CompareOutcome;
using internal::DisplayOf;
using internal::RunCompareAction;

namespace {

using OptionalScores = std::array<std::optional<Integer>, 4>;

void ExpectNoDisplay(const CompareDisplay& display) {
  EXPECT_EQ(display.self_score1, std::nullopt);
  EXPECT_EQ(display.self_score2, std::nullopt);
  EXPECT_EQ(display.cross_score1, std::nullopt);
  EXPECT_EQ(display.cross_score2, std::nullopt);
  EXPECT_EQ(display.result, std::nullopt);
}

TEST(RunCompareAction, ProducesEveryTextOfTheSamplePair) {
  ComparisonState state;
  const CompareOutcome outcome = RunCompareAction(kSampleText1, kSampleText2, state);
  const CompareDisplay display = DisplayOf(outcome, u',');
  EXPECT_EQ(outcome.error, std::nullopt);
  const auto units = [](std::string_view text) { return Text(text.begin(), text.end()); };
  EXPECT_EQ(display.self_score1, units(kSamplePair.status1[1]));
  EXPECT_EQ(display.self_score2, units(kSamplePair.status2[1]));
  EXPECT_EQ(display.cross_score1, units(kSamplePair.status1[2]));
  EXPECT_EQ(display.cross_score2, units(kSamplePair.status2[2]));
  Text commaResult = units(kSamplePair.result);
  std::replace(commaResult.begin(), commaResult.end(), u'.', u',');
  EXPECT_EQ(display.result, commaResult);
  EXPECT_EQ(outcome.length_factor, kSamplePair.length_factor);
  for (std::size_t d = 0; d < outcome.scores.size(); ++d) {
    EXPECT_EQ(outcome.scores[d], SampleScores()[d]);
  }
}

TEST(RunCompareAction, ResetsTheFourSlotsBeforeEachRun) {
  ComparisonState state;
  state.DirectionScores = {42, 1000, 1000, 1000, 1000};
  const CompareOutcome first = RunCompareAction(u"scar", u"car", state);
  const CompareOutcome second = RunCompareAction(u"scar", u"car", state);
  for (const CompareOutcome* outcome : {&first, &second}) {
    EXPECT_EQ(outcome->scores, (OptionalScores{0, 1, 1, 1}));
    EXPECT_EQ(DisplayOf(*outcome, u'.').result, u"1.11474252688113");
    EXPECT_EQ(outcome->length_factor, 1.25F);
  }
  // Slot 0 is never touched.
  EXPECT_EQ(state.DirectionScores, (std::array<Integer, 5>{42, 0, 1, 1, 1}));
}

TEST(RunCompareAction, ProducesNothingForAnEmptyText1) {
  ComparisonState state;
  ASSERT_EQ(RunCompareAction(u"A B", u"a b", state).error, std::nullopt);
  const CompareOutcome outcome = RunCompareAction(u"", u"a b", state);
  EXPECT_EQ(outcome.error, ErrorKind::FPException);
  ExpectNoDisplay(DisplayOf(outcome, u'.'));
  // No factor or score of the earlier run is left behind.
  EXPECT_EQ(outcome.length_factor, std::nullopt);
  EXPECT_EQ(outcome.scores, OptionalScores{});
  EXPECT_EQ(state.DirectionScores, (std::array<Integer, 5>{0, 0, 0, 0, 0}));
}

TEST(RunCompareAction, ShowsTheScoresButNoResultWhenNothingIsFound) {
  ComparisonState state;
  const CompareOutcome outcome = RunCompareAction(u"x", u"y", state);
  const CompareDisplay display = DisplayOf(outcome, u'.');
  EXPECT_EQ(outcome.error, ErrorKind::FPException);
  EXPECT_EQ(display.self_score1, u"STD: 1");
  EXPECT_EQ(display.self_score2, u"STD: 1");
  EXPECT_EQ(display.cross_score1, u"#: 0");
  EXPECT_EQ(display.cross_score2, u"#: 0");
  EXPECT_EQ(display.result, std::nullopt);
  EXPECT_EQ(outcome.length_factor, 1.0F);
  EXPECT_EQ(outcome.scores, (OptionalScores{0, 0, 1, 1}));
}

TEST(RunCompareAction, ReportsWhichDirectionsCompletedBeforeAnOverflow) {
  // No word of either text occurs in the other, so directions 1 and 2 credit
  // nothing; the 300 distinct words against themselves pass 32767 in
  // direction 3, and direction 4 never runs.
  ComparisonState state;
  const CompareOutcome outcome = RunCompareAction(DistinctWords(300), u"0", state);
  EXPECT_EQ(outcome.error, ErrorKind::Overflow);
  EXPECT_EQ(outcome.scores, (OptionalScores{0, 0, std::nullopt, std::nullopt}));
  EXPECT_EQ(outcome.length_factor, static_cast<float>(898.0 / 899.0 + 1.0));
  ExpectNoDisplay(DisplayOf(outcome, u'.'));
}

TEST(RunCompareAction, ReportsAResultSumPast32767) {
  // Two equal texts of 130 distinct words score 129 * 128 + 2 = 16514 in
  // every direction; the two self-scores together pass 32767.
  ComparisonState state;
  const CompareOutcome outcome =
      RunCompareAction(DistinctWords(130), DistinctWords(130), state);
  const CompareDisplay display = DisplayOf(outcome, u'.');
  EXPECT_EQ(outcome.error, ErrorKind::Overflow);
  const Integer each = 129 * 128 + 2;
  EXPECT_EQ(outcome.scores, (OptionalScores{each, each, each, each}));
  EXPECT_EQ(display.self_score1, u"STD: " + IntegerToText(each));
  EXPECT_EQ(display.result, std::nullopt);
}

}  // namespace
}  // namespace velmoro
