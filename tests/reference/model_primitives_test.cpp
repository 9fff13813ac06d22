#include "model_primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine_test_support.h"

namespace velmoro {

using internal::Len;

namespace {

// Left and Right

struct CountRow {
  Text s;
  Long n;
  Text left;
  Text right;
};

TEST(LeftRight, TakeAtMostTheWholeText) {
  const CountRow rows[] = {
      {u"abc", 0, u"", u""},
      {u"abc", 1, u"a", u"c"},
      {u"abc", 2, u"ab", u"bc"},
      {u"abc", 3, u"abc", u"abc"},
      {u"abc", 5, u"abc", u"abc"},
      {u"", 0, u"", u""},
      {u"", 2, u"", u""},
  };
  for (const CountRow& row : rows) {
    SCOPED_TRACE(testing::Message() << Shown(row.s) << ", " << row.n);
    EXPECT_EQ(Text(Left(row.s, row.n)), row.left);
    EXPECT_EQ(Text(Right(row.s, row.n)), row.right);
  }
}

TEST(LeftRight, RaiseInvalidArgumentForANegativeCount) {
  for (const Long n : {-1, -32768, std::numeric_limits<Long>::min()}) {
    for (const TextView s : {TextView(u"abc"), TextView()}) {
      SCOPED_TRACE(testing::Message() << Shown(s) << ", " << n);
      EXPECT_EQ(RaisedKind([&] { return Left(s, n); }), ErrorKind::InvalidArgument);
      EXPECT_EQ(RaisedKind([&] { return Right(s, n); }), ErrorKind::InvalidArgument);
    }
  }
}

// InStr

struct SearchRow {
  Long start;
  Text s;
  Text t;
  Long expected;
};

TEST(InStr, FindsTheFirstOccurrenceAtOrBehindStart) {
  const SearchRow rows[] = {
      // inside a longer word
      {1, u"scar", u"car", 2},
      // the start position itself is searched
      {3, u"a b c ", u" ", 4},
      {3, u"abc", u"c", 3},
      {2, u"abab", u"ab", 3},
      // not found
      {1, u"abc", u"d", 0},
      {4, u"abc", u"c", 0},
      {9, u"abc", u"a", 0},
      {1, u"ab", u"abc", 0},
      {1, u"", u"a", 0},
      // case-sensitive
      {1, u"Car", u"car", 0},
      // empty sought text
      {1, u"abc", u"", 1},
      {3, u"abc", u"", 3},
      {4, u"abc", u"", 0},
      {9, u"abc", u"", 0},
      {1, u"", u"", 0},
      // unit by unit: half of a surrogate pair is found on its own
      {1, Text(u"x\U0001F600y"), Text(1, char16_t{0xDE00}), 3},
  };
  for (const SearchRow& row : rows) {
    SCOPED_TRACE(testing::Message() << row.start << ", " << Shown(row.s) << ", "
                                    << Shown(row.t));
    EXPECT_EQ(InStr(row.start, row.s, row.t), row.expected);
  }
}

TEST(InStr, RaisesInvalidArgumentForAStartBelowOne) {
  for (const Long start : {0, -1, std::numeric_limits<Long>::min()}) {
    SCOPED_TRACE(start);
    EXPECT_EQ(RaisedKind([start] { return InStr(start, u"abc", u"a"); }),
              ErrorKind::InvalidArgument);
    EXPECT_EQ(RaisedKind([start] { return InStr(start, u"", u""); }),
              ErrorKind::InvalidArgument);
  }
}

// Tries every position from start on, comparing unit by unit.
Long NaiveInStr(Long start, TextView s, TextView t) {
  if (s.empty()) return 0;
  const auto m = static_cast<Long>(t.size());
  for (Long p = start; p - 1 + m <= static_cast<Long>(s.size()); ++p) {
    Long matched = 0;
    while (matched < m && s[static_cast<std::size_t>(p - 1 + matched)] ==
                              t[static_cast<std::size_t>(matched)]) {
      ++matched;
    }
    if (matched == m) return p;
  }
  return 0;
}

void ExpectInStrAgreesWithNaiveSearch(TextView s, TextView t) {
  // With an empty t the contract stops at Len(s).
  const Long lastStart = Len(s) + (t.empty() ? 0 : 2);
  for (Long start = 1; start <= lastStart; ++start) {
    if (InStr(start, s, t) != NaiveInStr(start, s, t)) {
      ADD_FAILURE() << "InStr(" << start << ", " << Shown(s) << ", " << Shown(t)
                    << ") is " << InStr(start, s, t) << ", naive search gives "
                    << NaiveInStr(start, s, t);
      return;
    }
  }
}

// Every text over {a, b} up to length maxLength.
std::vector<Text> AllTextsOverAB(std::size_t maxLength) {
  std::vector<Text> texts{Text()};
  for (std::size_t i = 0; texts[i].size() < maxLength; ++i) {
    texts.push_back(texts[i] + u'a');
    texts.push_back(texts[i] + u'b');
  }
  return texts;
}

TEST(InStr, AgreesWithNaiveSearchOnEverySmallText) {
  const std::vector<Text> haystacks = AllTextsOverAB(7);
  const std::vector<Text> needles = AllTextsOverAB(3);
  for (const Text& s : haystacks) {
    for (const Text& t : needles) ExpectInStrAgreesWithNaiveSearch(s, t);
  }
}

TEST(InStr, AgreesWithNaiveSearchOnPeriodicTextsAndLongNeedles) {
  const Text haystacks[] = {
      Repeated(u"ab", 25),
      Repeated(u"ab", 20) + u"ac" + Repeated(u"ab", 5),
      Repeated(u"a", 40) + u"b" + Repeated(u"a", 10),
      Repeated(u"abaab", 10),
  };
  for (const Text& s : haystacks) {
    std::vector<Text> needles = {Repeated(u"ab", 9) + u"c", Repeated(u"a", 20) + u"b",
                                 Repeated(u"ab", 12) + u"ac", Repeated(u"b", 17)};
    // Every window of 17 to 24 units, each also with its last unit changed.
    for (std::size_t length = 17; length <= 24; ++length) {
      for (std::size_t from = 0; from + length <= s.size(); ++from) {
        Text window = s.substr(from, length);
        needles.push_back(window);
        window.back() = window.back() == u'a' ? u'b' : u'a';
        needles.push_back(window);
      }
    }
    for (const Text& t : needles) ExpectInStrAgreesWithNaiveSearch(s, t);
  }
}

// Replace

struct ReplaceRow {
  Text s;
  Text find;
  Text with;
  Text expected;
};

TEST(Replace, ScansOnceWithoutOverlapOrRescan) {
  const ReplaceRow rows[] = {
      {u"     ", u"  ", u" ", u"   "},
      {u"   ", u"  ", u" ", u"  "},
      {u"a  b", u"  ", u" ", u"a b"},
      {u"aaa", u"aa", u"a", u"aa"},
      {u"ab ab", u"ab", u"ba", u"ba ba"},
      // inserted text is never examined again
      {u"abc", u"b", u"bb", u"abbc"},
      {u"aXa", u"a", u"aa", u"aaXaa"},
      {u"a,b,,c", u",", u" ", u"a b  c"},
      {u"a.b.", u".", u"", u"ab"},
      {u"abc", u"x", u"y", u"abc"},
      {u"", u",", u" ", u""},
      {u"abc", u"", u"x", u"abc"},
  };
  for (const ReplaceRow& row : rows) {
    SCOPED_TRACE(testing::Message() << Shown(row.s) << " / " << Shown(row.find)
                                    << " / " << Shown(row.with));
    EXPECT_EQ(Replace(row.s, row.find, row.with), row.expected);
  }
}

TEST(Replace, HalvesEveryRunOfSpacesRoundingUp) {
  // Each pair becomes one space and an odd space left over stays.
  for (int n = 0; n <= 40; ++n) {
    SCOPED_TRACE(n);
    const Text run = Repeated(u" ", n);
    EXPECT_EQ(Replace(Text(u"x") + run + u"y", u"  ", u" "),
              Text(u"x") + Repeated(u" ", (n + 1) / 2) + u"y");
  }
}

// LowerCase

TEST(LowerCase, MapsUpperCaseLettersAndKeepsTheLength) {
  const Text deseretCapital = u"\U00010400";
  const Text deseretSmall = u"\U00010428";
  const Text loneLead(1, char16_t{0xD801});
  const Text loneTrail(1, char16_t{0xDC00});
  const std::pair<Text, Text> rows[] = {
      {u"", u""},
      {u"ABC xyz 09 @[`{", u"abc xyz 09 @[`{"},
      {u"\u00C4rger \u00DCBER \u00D6l", u"\u00E4rger \u00FCber \u00F6l"},
      {u"\u0391\u0392\u0393", u"\u03B1\u03B2\u03B3"},
      // the simple mapping: one unit for one unit, no combining dot
      {u"\u0130", u"i"},
      // a surrogate pair is one code point
      {u"A" + deseretCapital + u"B", u"a" + deseretSmall + u"b"},
      // lone and reversed surrogates stay
      {loneLead + u"B", loneLead + u"b"},
      {u"A" + loneTrail, u"a" + loneTrail},
      {loneTrail + loneLead, loneTrail + loneLead},
  };
  for (const auto& [input, expected] : rows) {
    SCOPED_TRACE(Shown(input));
    EXPECT_EQ(LowerCase(input), expected);
  }
}

// StrReverse

TEST(StrReverse, ReversesUnits) {
  const std::pair<Text, Text> rows[] = {
      {u"can you", u"uoy nac"},
      {u"", u""},
      {u"a", u"a"},
      {u"a\U00010400", Text{0xDC00, 0xD801, u'a'}},
  };
  for (const auto& [input, expected] : rows) {
    SCOPED_TRACE(Shown(input));
    EXPECT_EQ(StrReverse(input), expected);
    EXPECT_EQ(StrReverse(expected), input);
  }
}

// Sqr

TEST(Sqr, IsTheSquareRootAndNaNBelowZero) {
  EXPECT_EQ(Sqr(2.25), 1.5);
  EXPECT_EQ(Sqr(0.0), 0.0);
  EXPECT_TRUE(std::isnan(Sqr(-1.0)));
}

}  // namespace
}  // namespace velmoro
