#include "normalize_text.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine_test_support.h"

namespace velmoro {

using internal::RawPlaces;
using internal::Trim;

namespace {

TEST(NormalizeText, TurnsMarksIntoSingleSpacesAndLowerCases) {
  const std::pair<Text, Text> rows[] = {
      {u"Hello, world.", u"hello world "},
      {u"hello world", u"hello world"},
      {u"star.", u"star "},
      {u"-- hello", u" hello"},
      {u"   A   b", u" a b"},
      {u"a,b.c;d:e?f!g-h*i", u"a b c d e f g h i"},
      {u"a, b", u"a b"},
      {u"...", u" "},
      {u"", u""},
      // nothing else is touched, line breaks and tabs included
      {u"It's \"x\" (y) a/b 42\t\r\nZ", u"it's \"x\" (y) a/b 42\t\r\nz"},
      {Text(u"x").append(40, u' ').append(u"y"), u"x y"},
      {u"\u00C4RGER", u"\u00E4rger"},
      {u"X\U00010400Y", u"x\U00010428y"},
      {Text{u'A', 0xD801, u'B'}, Text{u'a', 0xD801, u'b'}},
      // eight units at a time: a capital beyond ASCII whose low byte is 0,
      // marks on both sides of a block's edge, and a block ending in a space
      {u"\u0100\u0100\u0100\u0100\u0100\u0100\u0100\u0100", u"\u0101\u0101\u0101\u0101\u0101\u0101\u0101\u0101"},
      {u"ABCDEFG, HIJKLMNO", u"abcdefg hijklmno"},
      {u"abcdefg  *hijklmno", u"abcdefg hijklmno"},
      {u"a,.;:?!-* ,.;:?!-*,.;:?!-*b", u"a b"},
  };
  for (const auto& [input, expected] : rows) {
    SCOPED_TRACE(Shown(input));
    EXPECT_EQ(NormalizeText(input), expected);
    // The result is its own normal form.
    EXPECT_EQ(NormalizeText(expected), expected);
  }
}

// RawPlaces: a prepared unit points at the raw unit it came from.
TEST(RawPlaces, LeadsEveryPreparedUnitBackToItsRawUnit) {
  struct Row {
    Text raw;
    std::vector<std::size_t> places;  // for each prepared unit, the appended space too
  };
  const Row rows[] = {
      // letters map one to one
      {u"Ab c", {0, 1, 2, 3, 4}},
      // a run of spaces and marks maps to its first unit
      {u"a , ;b", {0, 1, 5, 6}},
      // leading spaces are trimmed, a leading mark is not
      {u"  ,Anna", {2, 3, 4, 5, 6, 7}},
      // a closing mark is the last space; the appended one is the trimmed end
      {u"go.  ", {0, 1, 2, 3}},
      {u"", {0}},
      {u"   ", {3}},
      // a surrogate pair is two units; line breaks stay inside words
      {u"\U00010400\r\nb", {0, 1, 2, 3, 4, 5}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Shown(row.raw));
    ASSERT_EQ(row.places.size(), NormalizeText(Trim(row.raw)).size() + 1);
    RawPlaces places(row.raw);
    for (std::size_t i = 0; i < row.places.size(); ++i) {
      EXPECT_EQ(places.RawIndexOf(i), row.places[i]) << "prepared unit " << i;
    }
  }
}

}  // namespace
}  // namespace velmoro
