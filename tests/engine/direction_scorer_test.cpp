#include "direction_scorer.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "engine_test_support.h"

namespace velmoro {

using internal::ScoreDirection;
using internal::WordStep;

namespace {

// What the scan reported for one word, kept beyond the callback.
struct Credit {
  Text word;
  Integer position;
  bool by_context;
  Integer following;
  Integer preceding;
  Integer score;
};

std::vector<Credit> CreditsOf(Integer direction, TextView text1, TextView text2) {
  ComparisonState state;
  std::vector<Credit> credits;
  ScoreDirection(direction, text1, text2, state, [&](const WordStep& step) {
    credits.push_back({Text(step.word), step.position, step.by_context, step.following,
                       step.preceding, step.score});
  });
  return credits;
}

void ExpectCredits(const std::vector<Credit>& actual, const std::vector<Credit>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "word " << i + 1 << ", " << Shown(expected[i].word));
    EXPECT_EQ(actual[i].word, expected[i].word);
    EXPECT_EQ(actual[i].position, expected[i].position);
    EXPECT_EQ(actual[i].by_context, expected[i].by_context);
    EXPECT_EQ(actual[i].following, expected[i].following);
    EXPECT_EQ(actual[i].preceding, expected[i].preceding);
    EXPECT_EQ(actual[i].score, expected[i].score);
  }
}

Integer ScoreOf(Integer direction, TextView text1, TextView text2) {
  ComparisonState state;
  ScoreDirection(direction, text1, text2, state);
  return state.DirectionScores[static_cast<std::size_t>(direction)];
}

using Scores = std::array<Integer, 4>;

// The scores of directions 1 to 4, each scored on its own.
Scores ScoresOf(TextView text1, TextView text2) {
  Scores scores{};
  for (Integer direction = 1; direction <= 4; ++direction) {
    scores[static_cast<std::size_t>(direction - 1)] = ScoreOf(direction, text1, text2);
  }
  return scores;
}

// CountWordRun

struct RunRow {
  Text a;
  Text b;
  Integer expected;
};

TEST(CountWordRun, CountsLeadingWordsFoundOneAfterAnother) {
  const RunRow rows[] = {
      {u"b c ", u" b c ", 2},
      // the second word is found inside the first occurrence
      {u"ab a ", u"ab ", 2},
      // no space follows the last word
      {u"x y", u"x y", 1},
      {u"a", u"a", 0},
      {u"", u"", 0},
      {u"   ", u"a ", 0},
      {u"a ", u"b ", 0},
      {u"  a b ", u"a b ", 2},
      // each word is searched from the previous word's occurrence on
      {u"a b c ", u"c b a ", 1},
      {u"a b c ", u"xay b zc ", 3},
  };
  for (const RunRow& row : rows) {
    SCOPED_TRACE(testing::Message() << Shown(row.a) << " / " << Shown(row.b));
    EXPECT_EQ(CountWordRun(row.a, row.b), row.expected);
  }
}

TEST(CountWordRun, RaisesOverflowForACountPast32767) {
  const Text words32767 = Repeated(u"a ", 32767);
  EXPECT_EQ(CountWordRun(words32767, words32767), 32767);
  const Text words33000 = Repeated(u"a ", 33000);
  EXPECT_EQ(RaisedKind([&] { return CountWordRun(words33000, words33000); }),
            ErrorKind::Overflow);
}

TEST(CountWordRun, RaisesOverflowForAPositionPast32767) {
  // The first space of a at 32767, then at 32768.
  const Text word32766 = Repeated(u"x", 32766) + u" ";
  EXPECT_EQ(CountWordRun(word32766, word32766), 1);
  const Text word32767 = Repeated(u"x", 32767) + u" ";
  EXPECT_EQ(RaisedKind([&] { return CountWordRun(word32767, word32767); }),
            ErrorKind::Overflow);
  // The word found in b at 32767, then at 32768.
  EXPECT_EQ(CountWordRun(u"w ", Repeated(u"z", 32766) + u"w"), 1);
  EXPECT_EQ(RaisedKind([] { return CountWordRun(u"w ", Repeated(u"z", 32767) + u"w"); }),
            ErrorKind::Overflow);
}

// ScoreDirection: the sample pair

TEST(ScoreDirection, CreditsEachWordOfTheSamplePair) {
  ExpectCredits(CreditsOf(1, kSampleText1, kSampleText2),
                {
                    {u"anna", 1, true, 2, 0, 2},
                    {u"packs", 2, true, 1, 1, 4},
                    {u"the", 2, true, 0, 2, 6},
                    {u"red", 0, false, 0, 0, 6},
                    {u"bag", 7, true, 1, 0, 7},
                    {u"she", 11, true, 0, 1, 8},
                    {u"walks", 0, false, 0, 0, 8},
                    {u"to", 16, true, 1, 0, 9},
                    {u"the", 6, true, 1, 0, 10},
                    {u"old", 0, false, 0, 0, 10},
                    {u"mill", 15, true, 2, 0, 12},
                    {u"by", 15, true, 1, 1, 14},
                    {u"the", 11, true, 1, 0, 15},
                    {u"river", 0, false, 0, 0, 15},
                });
}

TEST(ScoreDirection, ScoresEveryDirectionOfTheSamplePair) {
  EXPECT_EQ(ScoresOf(kSampleText1, kSampleText2), SampleScores());
}

// ScoreDirection: small texts

struct ScoreRow {
  Text source;
  Text target;
  Integer expected;
};

TEST(ScoreDirection, ScoresSmallTexts) {
  const ScoreRow rows[] = {
      {u"a b c", u"a b c", 4},
      {u"a b b", u"a b b", 3},
      // no word found, not even inside a longer word
      {u"cat dog", u"bird fish", 0},
      {u"", u"x", 0},
      {u"   ", u"x", 0},
      // only marks: the empty word is found at the start of any target
      {u"...", u"", 1},
      {u"...", u"x y", 1},
      {u"...", u"...", 1},
      // the empty first word consumes "yes", which is then not found
      {u"-- yes", u"yes no", 1},
      // found inside a longer word
      {u"car", u"scar", 1},
      {u"scar", u"car", 0},
      {u"\U0001F600", u"ab\U0001F600cd", 1},
      // consuming the match leaves the piece of the word in front of it
      {u"\U0001F600 ab", u"ab\U0001F600cd", 2},
      // the lower-cased supplementary capital matches the small letter
      {u"X\U00010400Y", u"x\U00010428y", 1},
      // line breaks and tabs join words
      {u"a\r\nb", u"a b", 0},
      {u"a\tb", u"a b", 0},
  };
  for (const ScoreRow& row : rows) {
    SCOPED_TRACE(testing::Message() << Shown(row.source) << " / " << Shown(row.target));
    EXPECT_EQ(ScoreOf(1, row.source, row.target), row.expected);
  }
}

TEST(ScoreDirection, WalksWordsSplitOnlyAtSpaces) {
  const std::vector<Credit> credits = CreditsOf(3, u"a\r\nb c\td e", u"");
  ASSERT_EQ(credits.size(), 3U);
  EXPECT_EQ(credits[0].word, u"a\r\nb");
  EXPECT_EQ(credits[1].word, u"c\td");
  EXPECT_EQ(credits[2].word, u"e");
}

TEST(ScoreDirection, StopsBeforeARepeatOfTheLastWord) {
  ExpectCredits(CreditsOf(3, u"a b b", u""), {
                                                 {u"a", 1, true, 2, 0, 2},
                                                 {u"b", 2, false, 0, 0, 3},
                                             });
}

TEST(ScoreDirection, CreditsAnEmptyFirstWord) {
  ExpectCredits(CreditsOf(1, u"-- yes", u"yes no"), {
                                                        {u"", 1, true, 1, 0, 1},
                                                        {u"yes", 0, false, 0, 0, 1},
                                                    });
  ExpectCredits(CreditsOf(1, u"...", u"x"), {{u"", 1, false, 0, 0, 1}});
}

TEST(ScoreDirection, ScoresNonAsciiTextsLikeTheirLowerCaseForm) {
  // "ärger" has a longer rest and earns its following run of 2; the other two
  // words have no longer rest and earn one point each.
  EXPECT_EQ(ScoresOf(u"\u00C4rger \u00FCber \u00D6l", u"\u00E4rger \u00FCber \u00F6l"),
            (Scores{4, 4, 4, 4}));
}

TEST(ScoreDirection, GrowsWithTheSquareOfDistinctWordsAgainstThemselves) {
  // Against itself, word i of n distinct words of equal length follows n - i
  // words and precedes i - 1; the last two have no longer rest and earn one
  // point each. The total is (n - 1)(n - 2) + 2.
  for (int n = 2; n <= 30; ++n) {
    SCOPED_TRACE(n);
    const std::vector<Credit> credits = CreditsOf(3, DistinctWords(n), u"");
    ASSERT_EQ(credits.size(), static_cast<std::size_t>(n));
    for (int i = 1; i <= n - 2; ++i) {
      const Credit& credit = credits[static_cast<std::size_t>(i - 1)];
      EXPECT_TRUE(credit.by_context);
      EXPECT_EQ(credit.following, n - i);
      EXPECT_EQ(credit.preceding, i - 1);
    }
    EXPECT_FALSE(credits[static_cast<std::size_t>(n - 2)].by_context);
    EXPECT_EQ(credits.back().score, (n - 1) * (n - 2) + 2);
  }
}

// ScoreDirection: repeated phrases

TEST(ScoreDirection, TakesNothingInFrontOfARestFoundAtTheStart) {
  EXPECT_EQ(ScoresOf(u"a b a b", u"a b a b"), (Scores{7, 7, 7, 7}));
  EXPECT_EQ(ScoresOf(u"to be or not to be", u"to be or not to be"),
            (Scores{19, 19, 19, 19}));
  EXPECT_EQ(ScoresOf(u"bb a bb", u"a"), (Scores{1, 1, 4, 1}));
  // "a" has a longer rest, but its following run finds nothing behind the
  // consumed target and nothing stands in front of it: one point.
  ExpectCredits(CreditsOf(1, u"bb a bb", u"a"), {
                                                    {u"bb", 0, false, 0, 0, 0},
                                                    {u"a", 1, true, 1, 0, 1},
                                                    {u"bb", 0, false, 0, 0, 1},
                                                });
}

// ScoreDirection: errors

TEST(ScoreDirection, RaisesOverflowForAScorePast32767) {
  // Each of the first 298 of 300 distinct words earns 299, so the 110th
  // credit passes 32767 and the slot keeps the 109 before it.
  ComparisonState state;
  const Text text = DistinctWords(300);
  EXPECT_EQ(RaisedKind([&] { ScoreDirection(3, text, u"", state); }), ErrorKind::Overflow);
  EXPECT_EQ(state.DirectionScores[3], 109 * 299);
}

TEST(ScoreDirection, RaisesOverflowForAPositionPast32767) {
  // "x " 16382 times puts the sought word at 32765.
  const Text filler = Repeated(u"x ", 16382);
  EXPECT_EQ(ScoreOf(1, u"y", filler + u"y"), 1);

  // Found at 32769.
  ComparisonState far;
  EXPECT_EQ(RaisedKind([&] { ScoreDirection(1, u"y", filler + u"x x y", far); }),
            ErrorKind::Overflow);
  EXPECT_EQ(far.DirectionScores[1], 0);

  // Found at 32765 and credited, but the space behind it is at 32769.
  ComparisonState longWord;
  EXPECT_EQ(RaisedKind([&] { ScoreDirection(1, u"yyyy", filler + u"yyyy", longWord); }),
            ErrorKind::Overflow);
  EXPECT_EQ(longWord.DirectionScores[1], 1);
}

TEST(ScoreDirection, RaisesBoundsErrorForAnUnknownDirection) {
  for (const Integer direction : {Integer{0}, Integer{5}, Integer{-1}, Integer{32767}}) {
    SCOPED_TRACE(direction);
    ComparisonState state;
    EXPECT_EQ(RaisedKind([&] { ScoreDirection(direction, u"a b", u"a b", state); }),
              ErrorKind::BoundsError);
    EXPECT_EQ(state.DirectionScores, (std::array<Integer, 5>{}));
  }
}

// ScoreDirection: its slot

TEST(ScoreDirection, AddsIntoItsOwnSlotOnly) {
  ComparisonState state;
  state.DirectionScores = {7, 100, 200, 300, 400};
  ScoreDirection(3, u"a b c", u"x", state);
  EXPECT_EQ(state.DirectionScores, (std::array<Integer, 5>{7, 100, 200, 304, 400}));
}

TEST(ScoreDirection, SwappingTheTextsExchangesTheDirections) {
  const std::pair<Text, Text> pairs[] = {
      {Text(kSampleText1), Text(kSampleText2)},
      {u"scar", u"car"},
      {u"A B", u"a b"},
      {u"-- yes", u"yes no"},
      {u"bb a bb", u"a"},
      {u"the cat sat", u"a cat sat on the mat"},
  };
  for (const auto& [text1, text2] : pairs) {
    SCOPED_TRACE(testing::Message() << Shown(text1) << " / " << Shown(text2));
    const Scores forward = ScoresOf(text1, text2);
    const Scores swapped = ScoresOf(text2, text1);
    EXPECT_EQ(swapped, (Scores{forward[1], forward[0], forward[3], forward[2]}));
  }
}

}  // namespace
}  // namespace velmoro
