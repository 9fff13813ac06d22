#include "short_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

#include "engine_test_support.h"
#include "tuning.h"

namespace velmoro {

using internal::PreparedText;
using internal::ShortTexts;
using internal::WordId;
using internal::Place;
using internal::UnitOf;
using internal::WordOf;
using internal::WordSpan;
using internal::kWordScanPlaces;
using internal::kWordScanUnits;
using internal::kWordScanWords;

namespace {

// words one-letter words, one space apart.
Text Words(std::size_t words) {
  Text text;
  for (std::size_t i = 0; i < words; ++i) text += i == 0 ? u"a" : u" a";
  return text;
}

// The prepared text is the raw text and one space.
Text Units(std::size_t units) { return Text(units - 1, u'x'); }

// "a" and a word of letters a, which holds it at each offset: places in
// all, counting both words themselves.
Text Places(std::size_t places) { return u"a " + Text(places - 2, u'a'); }

TEST(ShortTexts, TakesBothTextsUpToTheLimitsOnly) {
  const struct {
    Text text;
    bool taken;
  } rows[] = {
      {Words(kWordScanWords), true},
      {Words(kWordScanWords + 1), false},
      {Units(kWordScanUnits), true},
      {Units(kWordScanUnits + 1), false},
      {Places(kWordScanPlaces), true},
      {Places(kWordScanPlaces + 1), false},
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

// The places of a word as a search of each word of a text finds them: every
// offset of every word, in the text's order.
std::vector<std::pair<std::size_t, std::size_t>> PlacesBySearch(const PreparedText& text,
                                                                TextView word) {
  std::vector<std::pair<std::size_t, std::size_t>> places;
  for (std::size_t k = 0; k < text.words().size(); ++k) {
    const WordSpan& span = text.words()[k];
    const TextView in = text.text().substr(span.start, span.length);
    for (std::size_t at = in.find(word); at != TextView::npos; at = in.find(word, at + 1)) {
      places.emplace_back(k, at);
    }
  }
  return places;
}

std::vector<std::pair<std::size_t, std::size_t>> PlacesListed(const PreparedText& text,
                                                              std::span<const Place> places) {
  std::vector<std::pair<std::size_t, std::size_t>> listed;
  for (const Place place : places) {
    listed.emplace_back(WordOf(place), UnitOf(place) - text.words()[WordOf(place)].start);
  }
  return listed;
}

// Every word over the letters a, b and c of one to four letters, shortest
// first, one space apart: words inside words at every offset.
Text WordsOverThreeLetters(std::size_t count) {
  std::vector<Text> words = {u"a", u"b", u"c"};
  for (std::size_t i = 0; words.size() < count; ++i) {
    for (const char16_t letter : {u'a', u'b', u'c'}) words.push_back(words[i] + letter);
  }
  Text text;
  for (std::size_t i = 0; i < count; ++i) text += (i == 0 ? u"" : u" ") + words[i];
  return text;
}

// Vocabularies whose words stand inside each other at every offset, one- and
// two-unit words among them, against a search.
TEST(ShortTexts, ListsEveryPlaceOfEachWordAsASearchFindsThem) {
  for (const std::size_t count : {std::size_t{12}, std::size_t{120}}) {
    SCOPED_TRACE(testing::Message() << count << " words");
    const PreparedText text1(WordsOverThreeLetters(count));
    const PreparedText text2(u"cab ba abca x aaaa");
    const auto texts = ShortTexts::Of(text1, text2);
    ASSERT_TRUE(texts.has_value());
    for (std::size_t t = 0; t < 2; ++t) {
      const PreparedText& text = texts->text(t);
      for (std::size_t j = 0; j < text.words().size(); ++j) {
        const TextView word = text.text().substr(text.words()[j].start, text.words()[j].length);
        for (std::size_t u = 0; u < 2; ++u) {
          EXPECT_EQ(PlacesListed(texts->text(u), texts->Places(u, texts->ids(t)[j])),
                    PlacesBySearch(texts->text(u), word))
              << Shown(word) << " in text " << u;
        }
      }
    }
  }
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
      EXPECT_EQ(texts->RestFirstStarts(0)[j], text.RestFirstStart(j)) << "word " << j;
    }
  }
}

// Taken after a pair with more words, the tables are those of the new pair
// alone.
TEST(ShortTexts, TakenAgainHoldsOnlyTheNewPair) {
  const PreparedText large1(u"scar car cars arc to be or not to be");
  const PreparedText large2(u"a cab ab c ab car");
  const PreparedText small1(u"x cab ab c ab");
  const PreparedText small2(u"car scar");
  ShortTexts reused;
  ASSERT_TRUE(reused.Take(large1, large2));
  ASSERT_TRUE(reused.Take(small1, small2));
  const auto fresh = ShortTexts::Of(small1, small2);
  ASSERT_TRUE(fresh.has_value());
  for (std::size_t t = 0; t < 2; ++t) {
    SCOPED_TRACE(testing::Message() << "text " << t);
    const std::span<const WordId> ids = fresh->ids(t);
    ASSERT_TRUE(std::equal(ids.begin(), ids.end(), reused.ids(t).begin(), reused.ids(t).end()));
    for (std::size_t j = 0; j < ids.size(); ++j) {
      EXPECT_EQ(PlacesListed(reused.text(t), reused.Places(t, ids[j])),
                PlacesListed(fresh->text(t), fresh->Places(t, ids[j])))
          << "word " << j;
      if (j + 1 < ids.size()) {
        EXPECT_EQ(reused.RestFirstStarts(t)[j], fresh->RestFirstStarts(t)[j]);
      }
    }
  }
}

}  // namespace
}  // namespace velmoro
