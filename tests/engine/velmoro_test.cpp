// The public front: what a caller of velmoro/velmoro.h is given.

#include "velmoro/velmoro.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "utf8_text.h"

namespace velmoro {

using internal::ToUtf8;

namespace {

const std::string kPairA1 = ToUtf8(kSampleText1);
const std::string kPairA2 = ToUtf8(kSampleText2);

TEST(Compare, GivesEveryValueOfTheSamplePairInBothEncodings) {
  for (const Comparison& comparison :
       {Compare(kPairA1, kPairA2), Compare(kSampleText1, kSampleText2)}) {
    for (std::size_t d = 0; d < comparison.scores.size(); ++d) {
      EXPECT_EQ(comparison.scores[d], kSamplePair.scores[d]);
    }
    EXPECT_EQ(comparison.length_factor, static_cast<double>(1.0F + 1.0F / 62));
    EXPECT_EQ(comparison.length_factor, static_cast<double>(kSamplePair.length_factor));
    for (std::size_t panel = 0; panel < 3; ++panel) {
      EXPECT_EQ(comparison.status1[panel], kSamplePair.status1[panel]);
      EXPECT_EQ(comparison.status2[panel], kSamplePair.status2[panel]);
    }
    EXPECT_EQ(comparison.result_text, kSamplePair.result);
    ASSERT_TRUE(comparison.distance);
    std::array<char, 32> digits{};
    std::snprintf(digits.data(), digits.size(), "%.14g", *comparison.distance);
    EXPECT_EQ(digits.data(), kSamplePair.result);
    EXPECT_EQ(comparison.error, std::nullopt);
    EXPECT_EQ(comparison.message, "");
  }
}

TEST(Compare, ReportsAnErrorWithoutThrowing) {
  const Comparison comparison = Compare("x", "y");
  EXPECT_EQ(comparison.scores, (std::array<std::optional<int>, 4>{0, 0, 1, 1}));
  EXPECT_EQ(comparison.result_text, std::nullopt);
  EXPECT_EQ(comparison.distance, std::nullopt);
  EXPECT_EQ(comparison.error, ErrorKind::FPException);
  EXPECT_EQ(comparison.message.rfind("No word in common", 0), 0U) << comparison.message;
}

TEST(Compare, ReadsEveryLineBreakAsCarriageReturnLineFeed) {
  const Comparison crlf = Compare("aaaa\r\nbbbb", "aaaa bbbb cc");
  for (const char* text1 : {"aaaa\nbbbb", "aaaa\rbbbb"}) {
    SCOPED_TRACE(text1);
    const Comparison other = Compare(text1, "aaaa bbbb cc");
    EXPECT_EQ(other.result_text, crlf.result_text);
    EXPECT_EQ(other.length_factor, crlf.length_factor);
  }
  EXPECT_EQ(crlf.result_text, "4.23317574894746");
}

// Canonically equivalent texts are one text: a letter and its accent typed as
// one code point or as two, marks in either order, and a letter whose
// composed form is two code points.
TEST(Compare, ReadsCanonicallyEquivalentTextsAlike) {
  const std::pair<const char*, const char*> forms[] = {
      {"caf\u00e9 noir", "cafe\u0301 noir"},
      {"\u1e69 s", "s\u0307\u0323 s"},
      {"\u0915\u093c x", "\u0958 x"},
  };
  for (const auto& [composed, other] : forms) {
    SCOPED_TRACE(other);
    const Comparison alike = Compare(other, composed);
    EXPECT_EQ(alike.result_text, "0");
    EXPECT_EQ(alike.scores, Compare(composed, composed).scores);
  }
}

TEST(Compare, RefusesBytesThatAreNotUtf8) {
  try {
    static_cast<void>(Compare("ok", "ab\xC0\xAF"));
    FAIL() << "no InvalidUtf8";
  } catch (const InvalidUtf8& error) {
    EXPECT_EQ(error.offset(), 2U);
  }
}

// --- explanations

struct Expected {
  std::string word;
  std::optional<Span> target;
  int points;
  std::optional<int> following;
  std::optional<int> preceding;
};

void ExpectWords(const DirectionExplanation& direction, const std::vector<Expected>& expected) {
  ASSERT_EQ(direction.words.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "word " << i + 1 << " " << expected[i].word);
    const ExplainedWord& word = direction.words[i];
    EXPECT_EQ(word.word, expected[i].word);
    EXPECT_EQ(word.target, expected[i].target);
    EXPECT_EQ(word.points, expected[i].points);
    EXPECT_EQ(word.following, expected[i].following);
    EXPECT_EQ(word.preceding, expected[i].preceding);
  }
}

// The hand-worked table of the sample pair's first direction.
TEST(Explain, WalksTheSamplePairsFirstDirectionWordByWord) {
  const Explanation explanation = Explain(kPairA1, kPairA2);
  ASSERT_TRUE(explanation[0]);
  const DirectionExplanation& direction = *explanation[0];
  EXPECT_EQ(direction.source, 1);
  EXPECT_EQ(direction.target, 2);
  EXPECT_TRUE(direction.complete);
  EXPECT_EQ(direction.score, 15);
  ExpectWords(direction, {{"anna", Span{0, 4}, 2, 2, 0},
                          {"packs", Span{5, 10}, 2, 1, 1},
                          {"the", Span{11, 14}, 2, 0, 2},
                          {"red", {}, 0, {}, {}},
                          {"bag", Span{20, 23}, 1, 1, 0},
                          {"she", Span{30, 33}, 1, 0, 1},
                          {"walks", {}, 0, {}, {}},
                          {"to", Span{39, 41}, 1, 1, 0},
                          {"the", Span{25, 28}, 1, 1, 0},  // the start of "then"
                          {"old", {}, 0, {}, {}},
                          {"mill", Span{46, 50}, 2, 2, 0},
                          {"by", Span{51, 53}, 2, 1, 1},
                          {"the", Span{42, 45}, 1, 1, 0},
                          {"river", {}, 0, {}, {}}});
  EXPECT_EQ(direction.words[1].source, (Span{5, 10}));
  EXPECT_EQ(direction.words[13].source, (Span{57, 62}));
  for (std::size_t i = 1; i < explanation.size(); ++i) EXPECT_TRUE(explanation[i]);
}

// ".Anna" begins with an empty word, which is found at the start of the
// target and consumes "Bob"; its place is where the mark stands.
TEST(Explain, ShowsTheEmptyWordOfALeadingMark) {
  const Explanation explanation = Explain(".Anna", "Bob");
  ASSERT_TRUE(explanation[0]);
  ExpectWords(*explanation[0], {{"", Span{0, 0}, 1, 1, 0}, {"anna", {}, 0, {}, {}}});
  EXPECT_EQ(explanation[0]->words[0].source, (Span{0, 0}));
  EXPECT_EQ(explanation[0]->words[1].source, (Span{1, 5}));
}

// Places count code points of the text as given: a character outside the
// basic plane is one, and a lone line feed, which the comparison reads as two
// units, is one.
TEST(Explain, CountsPlacesInCodePointsOfTheTextAsGiven) {
  const Explanation explanation = Explain("\xF0\x9F\x98\x80x b\nc", "b\nc \xF0\x9F\x98\x80x");
  ASSERT_TRUE(explanation[0]);
  const DirectionExplanation& direction = *explanation[0];
  ASSERT_EQ(direction.words.size(), 2U);
  EXPECT_EQ(direction.words[0].source, (Span{0, 2}));
  EXPECT_EQ(direction.words[0].target, (Span{4, 6}));
  EXPECT_EQ(direction.words[1].word, "b\r\nc");
  EXPECT_EQ(direction.words[1].source, (Span{3, 6}));
  EXPECT_EQ(direction.words[1].target, (Span{0, 3}));
}

// A composed stretch maps back to the code points it stands for: "café"
// given with e and U+0301 spans five.
TEST(Explain, MapsComposedCharactersBackToTheTextAsGiven) {
  const Explanation explanation = Explain("cafe\u0301 noir", "noir caf\u00e9");
  ASSERT_TRUE(explanation[0] && explanation[1]);
  const std::vector<ExplainedWord>& words = explanation[0]->words;
  ASSERT_EQ(words.size(), 2U);
  EXPECT_EQ(words[0].word, "caf\u00e9");
  EXPECT_EQ(words[0].source, (Span{0, 5}));
  EXPECT_EQ(words[0].target, (Span{5, 9}));
  EXPECT_EQ(words[1].source, (Span{6, 10}));
  EXPECT_EQ(explanation[1]->words[1].target, (Span{0, 5}));
}

// A found word's match is a whole word of the target, its start or a part
// further in, and the word that holds it is named; a line break, which parts
// no words, and the empty word's match where a word starts count as in a word.
TEST(Explain, SaysHowEachMatchStandsInTheTargetsWords) {
  struct Row {
    std::string text1;
    std::string text2;
    MatchPlace place;
    Span enclosing;
  };
  const std::vector<Row> rows = {
      {"bag", "a bag", MatchPlace::Word, {2, 5}},
      {"ba", "a bag", MatchPlace::StartOfWord, {2, 5}},
      {"ag", "a bag.", MatchPlace::InsideWord, {2, 5}},
      {"x", "y\nx", MatchPlace::InsideWord, {0, 3}},
      {".x", "ab ", MatchPlace::StartOfWord, {0, 2}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text1 + " in " + row.text2);
    const Explanation explanation = Explain(row.text1, row.text2);
    ASSERT_TRUE(explanation[0]);
    const ExplainedWord& word = explanation[0]->words.front();
    ASSERT_TRUE(word.target);
    EXPECT_EQ(word.match, row.place);
    EXPECT_EQ(word.enclosing, row.enclosing);
  }
  const Explanation unmatched = Explain("x", "y");
  const ExplainedWord& notFound = unmatched[0]->words.front();
  EXPECT_EQ(notFound.match, std::nullopt);
  EXPECT_EQ(notFound.enclosing, std::nullopt);
}

// The same places in UTF-16 units of the texts as given, where a character
// outside the basic plane is two: what a QString or a JavaScript string
// counts.
TEST(Explain, GivesPlacesInUtf16UnitsToo) {
  const Explanation explanation =
      Explain(u"\U0001F600x cafe\u0301", u"caf\u00e9 \U0001F600\U0001F600x!");
  ASSERT_TRUE(explanation[0] && explanation[1]);
  const ExplainedWord& smiling = explanation[0]->words[0];
  EXPECT_EQ(smiling.target, (Span{6, 8}));
  EXPECT_EQ(smiling.utf16.source, (Span{0, 3}));
  EXPECT_EQ(smiling.utf16.target, (Span{7, 10}));
  EXPECT_EQ(smiling.utf16.enclosing, (Span{5, 10}));
  const ExplainedWord& cafe = explanation[0]->words[1];
  EXPECT_EQ(cafe.utf16.source, (Span{4, 9}));
  EXPECT_EQ(cafe.utf16.target, (Span{0, 4}));
  EXPECT_EQ(explanation[1]->words[0].utf16.target, (Span{4, 9}));
}

// A word that earned nothing says why: "bag" occurs in text 1, but "a" was
// found inside it first and used it up; "then" occurs nowhere there.
TEST(Explain, SaysWhyAWordEarnedNothing) {
  const Explanation explanation = Explain("the red bag", "a red bag, then");
  ASSERT_TRUE(explanation[1]);
  const std::vector<ExplainedWord>& words = explanation[1]->words;
  ASSERT_EQ(words.size(), 4U);
  EXPECT_EQ(words[0].not_found, std::nullopt);
  EXPECT_EQ(words[2].not_found, NotFound::Used);
  EXPECT_EQ(words[2].used_by, 0U);
  EXPECT_EQ(words[3].not_found, NotFound::Absent);
  EXPECT_EQ(words[3].used_by, std::nullopt);
  EXPECT_EQ(words[3].used_by_source, std::nullopt);
  EXPECT_EQ(words[2].used_by_source, (Span{0, 1}));
  // The earlier word is named by where it stands, in UTF-16 units too.
  const Explanation beyondBasicPlane = Explain(u"\U0001F600 a bag", u"bag");
  const ExplainedWord& bag = beyondBasicPlane[0]->words[2];
  EXPECT_EQ(bag.used_by, 1U);
  EXPECT_EQ(bag.used_by_source, (Span{2, 3}));
  EXPECT_EQ(bag.utf16.used_by_source, (Span{3, 4}));
}

// An error keeps the words walked before it; later directions never start.
TEST(Explain, KeepsTheWordsOfADirectionThatAnErrorEnded) {
  const Explanation explanation = Explain(Text(DistinctWords(300)), u"aa");
  ASSERT_TRUE(explanation[2]);
  EXPECT_FALSE(explanation[2]->complete);
  EXPECT_TRUE(explanation[0]->complete);
  EXPECT_FALSE(explanation[3]);
  EXPECT_FALSE(Explain("", "abc")[0]);
}

}  // namespace
}  // namespace velmoro
