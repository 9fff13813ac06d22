#include "short_texts.h"

#include <gtest/gtest.h>

#include <cstddef>

#include "engine_test_support.h"
#include "tuning.h"

namespace velmoro {
namespace {

// words one-letter words, one space apart.
Text Words(std::size_t words) {
  Text text;
  for (std::size_t i = 0; i < words; ++i) text += i == 0 ? u"a" : u" a";
  return text;
}

// The prepared text is the raw text and one space.
Text Units(std::size_t units) { return Text(units - 1, u'a'); }

TEST(ShortTexts, TakesBothTextsUpToTheLimitsOnly) {
  const struct {
    Text text;
    bool taken;
  } rows[] = {
      {Words(kWordScanWords), true},
      {Words(kWordScanWords + 1), false},
      {Units(kWordScanUnits), true},
      {Units(kWordScanUnits + 1), false},
      {u"", true},
      // A mark in front makes the empty first word.
      {u"-a b", false},
      {u"a b-", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.text.size() << " units");
    const PreparedText text(row.text);
    const PreparedText other(u"a b");
    EXPECT_EQ(ShortTexts::Of(text, other).has_value(), row.taken);
    EXPECT_EQ(ShortTexts::Of(other, text).has_value(), row.taken);
  }
}

// A word is held by the words it stands inside, wherever it stands there.
TEST(ShortTexts, FindsTheWordsHoldingEachWord) {
  const PreparedText text1(u"car scar");
  const PreparedText text2(u"cars x arc car");
  const auto texts = ShortTexts::Of(text1, text2);
  ASSERT_TRUE(texts.has_value());
  const WordId car = texts->ids(0)[0];
  EXPECT_EQ(texts->ids(1)[3], car);
  const WordSet& inText1 = texts->Holding(0, car);
  const WordSet& inText2 = texts->Holding(1, car);
  EXPECT_TRUE(inText1.Contains(0) && inText1.Contains(1));
  EXPECT_TRUE(inText2.Contains(0) && inText2.Contains(3));
  EXPECT_FALSE(inText2.Contains(1) || inText2.Contains(2));
}

// Worked out on the words, a rest starts where the search of the text finds
// it: at its own place, in front of it, or inside a longer word.
TEST(ShortTexts, FindsWhereEachRestFirstOccursAsTheTextSearchDoes) {
  for (const TextView raw : {u"a b a b", u"bb a bb", u"xab ab", u"to be or not to be",
                             u"x cab ab c ab", u"a b c", u"ab b ab b b", u"x y. x y."}) {
    SCOPED_TRACE(Shown(raw));
    const PreparedText text(raw);
    const auto texts = ShortTexts::Of(text, text);
    ASSERT_TRUE(texts.has_value());
    for (std::size_t j = 0; j + 1 < text.words().size(); ++j) {
      EXPECT_EQ(texts->RestFirstStart(0, j), text.RestFirstStart(j)) << "word " << j;
    }
  }
}

}  // namespace
}  // namespace velmoro
