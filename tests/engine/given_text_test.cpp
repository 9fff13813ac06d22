// A text as a caller gave it: the way from the compared text's units back to
// its code points, and from those to its UTF-16 units.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "velmoro/fronts.h"

namespace velmoro {
namespace {

// A code point outside the basic plane takes two UTF-16 units, a lone
// surrogate one; the place behind the text is its length.
TEST(GivenText, CountsUtf16UnitsOfTheTextAsGiven) {
  struct Row {
    std::u16string text;
    std::vector<std::size_t> units;  // of each code point place
  };
  const std::vector<Row> rows = {
      {u"a\U0001F600b\U0001F600", {0, 1, 3, 4, 6}},
      {u"\xD83D" u"a", {0, 1, 2}},
  };
  for (const Row& row : rows) {
    const GivenText given = GivenText::FromUtf16(row.text);
    for (std::size_t place = 0; place < row.units.size(); ++place) {
      EXPECT_EQ(given.Utf16UnitOf(place), row.units[place]) << "place " << place;
    }
  }
  EXPECT_EQ(GivenText::FromUtf8("a\xF0\x9F\x98\x80" "b").Utf16UnitOf(2), 3U);
}

}  // namespace
}  // namespace velmoro
