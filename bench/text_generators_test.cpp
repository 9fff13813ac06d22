#include "text_generators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace velmoro::bench {
namespace {

std::string Narrow(TextView text) { return {text.begin(), text.end()}; }

// Exact lengths: every generator hands back the units asked for.

TEST(Generators, GiveExactlyTheUnitsAskedFor) {
  for (const std::size_t units : {0U, 1U, 7U, 100U, 4096U, 65536U}) {
    SCOPED_TRACE(units);
    EXPECT_EQ(ProseText(units, 1).size(), units);
    EXPECT_EQ(HugeWord(units, 1).size(), units);
    EXPECT_EQ(Repeated(u"ab ", units).size(), units);
    EXPECT_EQ(DistinctWords(units, u'q').size(), units);
  }
}

// ProseText

TEST(ProseText, IsTheSameForASeedAndDiffersBetweenSeeds) {
  EXPECT_EQ(ProseText(20000, 7), ProseText(20000, 7));
  EXPECT_NE(ProseText(20000, 7), ProseText(20000, 8));
}

TEST(ProseText, HoldsNoLetterOrDigitThatTheUnfoundWordsUse) {
  // The unfound-word and filler cases rely on prose never holding these.
  const Text prose = ProseText(1 << 20, 3);
  EXPECT_EQ(prose.find_first_of(u"qz0123456789"), Text::npos);
}

TEST(ProseText, LooksLikeProse) {
  const Text prose = ProseText(1 << 18, 4);
  for (const char16_t mark : {u'.', u',', u'?', u'!', u';', u':', u'A', u'T'}) {
    SCOPED_TRACE(Narrow(TextView(&mark, 1)));
    EXPECT_NE(prose.find(mark), Text::npos);
  }
  EXPECT_NE(prose.find(u"\r\n"), Text::npos);
  EXPECT_NE(prose.find(u". T"), Text::npos);
  EXPECT_EQ(prose.find(u"  "), Text::npos);
}

TEST(ProseText, DrawsCommonWordsFarMoreOftenThanRareOnes) {
  const Text prose = ProseText(1 << 20, 5);
  std::map<Text, int> counts;
  for (const TextView word : SplitWords(prose)) ++counts[Text(word)];
  // Zipf-like: "the" leads, the second word comes about half as often, and
  // the vocabulary's long tail shows up in thousands of different words.
  const auto mostFrequent = std::max_element(
      counts.begin(), counts.end(),
      [](const auto& left, const auto& right) { return left.second < right.second; });
  EXPECT_EQ(mostFrequent->first, u"the");
  EXPECT_GT(counts[u"the"], counts[u"of"] * 3 / 2);
  EXPECT_LT(counts[u"the"], counts[u"of"] * 3);
  EXPECT_GT(counts.size(), 5000U);
}

// HugeWord and ChangedNearEnd

TEST(HugeWord, IsLowerCaseLettersOnly) {
  const Text word = HugeWord(10000, 9);
  EXPECT_TRUE(std::all_of(word.begin(), word.end(),
                          [](char16_t unit) { return unit >= u'a' && unit <= u'z'; }));
}

TEST(ChangedNearEnd, ReplacesOneLetterByTheNext) {
  struct Row {
    Text text;
    std::size_t units_from_end;
    Text changed;
  };
  const Row rows[] = {
      {u"abab", 1, u"abac"},
      {u"abab", 4, u"bbab"},
      {u"az", 1, u"aa"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Narrow(row.text));
    EXPECT_EQ(ChangedNearEnd(row.text, row.units_from_end), row.changed);
  }
}

// Repeated and DistinctWords

TEST(Repeated, CutsTheLastPieceWhereTheCountEnds) {
  EXPECT_EQ(Repeated(u"ab", 5), u"ababa");
  EXPECT_EQ(Repeated(u"the cat ", 10), u"the cat th");
  EXPECT_EQ(Repeated(u" ", 3), u"   ");
}

TEST(DistinctWords, NumbersFixedWidthWords) {
  EXPECT_EQ(DistinctWords(16, u'q'), u"q000000 q000001 ");
  EXPECT_EQ(DistinctWords(12, u'k'), u"k000000 k000");
}

TEST(DistinctWords, NeverRepeatAWordOrHideOneInAnother) {
  const Text text = DistinctWords(1 << 20, u'q');
  const std::vector<TextView> words = SplitWords(text);
  EXPECT_EQ(std::set<TextView>(words.begin(), words.end()).size(), words.size());
  // Equal lengths: a word inside another would have to be that word.
  EXPECT_TRUE(std::all_of(words.begin(), words.end() - 1,
                          [](TextView word) { return word.size() == 7; }));
}

// ReversedWords and ShuffledWords

TEST(ReversedWords, ReversesTheOrderOfTheWords) {
  EXPECT_EQ(ReversedWords(u"a bb c "), u"c bb a ");
  EXPECT_EQ(ReversedWords(u""), u"");
}

TEST(ShuffledWords, KeepsTheWordsAndTheLength) {
  const Text text = Repeated(u"the cat sat on the mat ", 23 * 50);
  const Text shuffled = ShuffledWords(text, 2);
  EXPECT_EQ(shuffled.size(), text.size());
  EXPECT_NE(shuffled, text);
  EXPECT_EQ(shuffled, ShuffledWords(text, 2));
  std::vector<TextView> before = SplitWords(text);
  std::vector<TextView> after = SplitWords(shuffled);
  std::sort(before.begin(), before.end());
  std::sort(after.begin(), after.end());
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace velmoro::bench
