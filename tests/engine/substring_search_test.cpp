#include "substring_search.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>

namespace velmoro {

using internal::FindLastUnits;
using internal::FindUnits;
using internal::StartsWithAt;
using internal::kNotFound;

namespace {

// Tries every start, first to last or last to first.
std::size_t NaiveFind(std::u16string_view haystack, std::u16string_view needle,
                      std::size_t from, bool fromTheEnd) {
  if (needle.size() > haystack.size()) return kNotFound;
  const std::size_t starts = haystack.size() - needle.size() + 1;
  for (std::size_t k = 0; k < starts; ++k) {
    const std::size_t start = fromTheEnd ? starts - 1 - k : k;
    if (start >= from && haystack.substr(start, needle.size()) == needle) return start;
  }
  return kNotFound;
}

std::u16string RandomText(std::mt19937& random, std::size_t size, char16_t letters) {
  std::u16string text(size, u'a');
  for (char16_t& unit : text) unit = static_cast<char16_t>(u'a' + random() % letters);
  return text;
}

// Texts over two or three letters, long enough for the eight-at-a-time scans
// and with needles on both sides of the short-needle limit, match often and
// almost match everywhere.
TEST(FindUnits, AgreesWithNaiveSearchOnRandomTexts) {
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    const char16_t letters = static_cast<char16_t>(2 + round % 2);
    const std::u16string haystack = RandomText(random, random() % 90, letters);
    const std::u16string needle = RandomText(random, 1 + random() % 24, letters);
    const std::size_t from = random() % (haystack.size() + 1);
    SCOPED_TRACE(testing::Message() << "round " << round);
    EXPECT_EQ(FindUnits(haystack, needle, from), NaiveFind(haystack, needle, from, false));
    EXPECT_EQ(FindLastUnits(haystack, needle), NaiveFind(haystack, needle, 0, true));
  }
}

TEST(FindUnits, EmptyNeedleAndStartsPastTheEnd) {
  EXPECT_EQ(FindUnits(u"abc", u"", 2), 2U);
  EXPECT_EQ(FindUnits(u"abc", u"", 3), 3U);
  EXPECT_EQ(FindUnits(u"abc", u"", 4), kNotFound);
  EXPECT_EQ(FindUnits(u"abc", u"c", 4), kNotFound);
  EXPECT_EQ(FindLastUnits(u"abc", u""), 3U);
  EXPECT_EQ(FindLastUnits(u"", u"a"), kNotFound);
}

TEST(StartsWithAt, ComparesFromThePlaceGiven) {
  EXPECT_TRUE(StartsWithAt(u"abcd", 1, u"bc"));
  EXPECT_TRUE(StartsWithAt(u"abcd", 4, u""));
  EXPECT_FALSE(StartsWithAt(u"abcd", 3, u"de"));
  EXPECT_FALSE(StartsWithAt(u"abcd", 5, u""));
}

// A view compared with the very units it stands on still has to fit.
TEST(StartsWithAt, SameUnitsMustStillFit) {
  const std::u16string_view text = u"abcd";
  EXPECT_TRUE(StartsWithAt(text, 1, text.substr(1)));
  EXPECT_FALSE(StartsWithAt(text.substr(0, 3), 1, text.substr(1)));
}

}  // namespace
}  // namespace velmoro
