#include "utf8_text.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "sample_pair.h"

namespace velmoro {

using internal::FromUtf8;
using internal::ToUtf8;
using internal::WidenPlainAscii;

namespace {

using namespace std::string_view_literals;

// The bytes are written out by hand; the compiler's own encoding of the
// UTF-16 literal is the independent oracle.
struct WellFormed {
  std::string_view bytes;
  std::u16string_view units;
};

constexpr WellFormed kBoundaries[] = {
    {""sv, u""sv},
    {"\x00"sv, u"\u0000"sv},
    {"\x7F"sv, u"\u007F"sv},
    {"\xC2\x80"sv, u"\u0080"sv},
    {"\xDF\xBF"sv, u"\u07FF"sv},
    {"\xE0\xA0\x80"sv, u"\u0800"sv},
    {"\xED\x9F\xBF"sv, u"\uD7FF"sv},
    {"\xEE\x80\x80"sv, u"\uE000"sv},
    {"\xEF\xBF\xBF"sv, u"\uFFFF"sv},
    {"\xF0\x90\x80\x80"sv, u"\U00010000"sv},
    {"\xF4\x8F\xBF\xBF"sv, u"\U0010FFFF"sv},
    {"a\xC3\xA4\xF0\x9F\x98\x80z"sv, u"a\u00E4\U0001F600z"sv},
};

TEST(FromUtf8, DecodesEveryLengthUpToItsBoundaries) {
  for (const WellFormed& row : kBoundaries) {
    SCOPED_TRACE(testing::PrintToString(row.bytes));
    EXPECT_EQ(FromUtf8(row.bytes), row.units);
  }
}

TEST(ToUtf8, EncodesEveryLengthUpToItsBoundaries) {
  for (const WellFormed& row : kBoundaries) {
    SCOPED_TRACE(testing::PrintToString(row.bytes));
    EXPECT_EQ(ToUtf8(row.units), row.bytes);
  }
}

TEST(FromUtf8, RejectsIllFormedSequencesWhereTheyStart) {
  struct IllFormed {
    std::string_view bytes;
    std::size_t offset;
  };
  constexpr IllFormed kRows[] = {
      // stray and impossible bytes
      {"a\x80"sv, 1},
      {"\xBF"sv, 0},
      {"\xF5\x80\x80\x80"sv, 0},
      {"\xFF"sv, 0},
      // overlong forms
      {"\xC0\xAF"sv, 0},
      {"\xC1\xBF"sv, 0},
      {"\xE0\x9F\xBF"sv, 0},
      {"\xF0\x8F\xBF\xBF"sv, 0},
      // encoded surrogates
      {"ab\xED\xA0\x80"sv, 2},
      {"\xED\xBF\xBF"sv, 0},
      // past U+10FFFF
      {"\xF4\x90\x80\x80"sv, 0},
      // cut off: at the end, and by a byte that is no continuation
      {"ab\xC3"sv, 2},
      {"\xC3\xA4\xE2\x82"sv, 2},
      {"\xE2\x82" "A"sv, 0},
      {"\xF0\x9F\x98"sv, 0},
  };
  for (const IllFormed& row : kRows) {
    SCOPED_TRACE(testing::PrintToString(row.bytes));
    try {
      static_cast<void>(FromUtf8(row.bytes));
      ADD_FAILURE() << "accepted";
    } catch (const InvalidUtf8& error) {
      EXPECT_EQ(error.offset(), row.offset);
    }
  }
}

TEST(ToUtf8, WritesALoneSurrogateAsTheReplacementCharacter) {
  struct Row {
    std::u16string_view units;
    std::string_view bytes;
  };
  constexpr Row kRows[] = {
      {u"a\xD800"sv, "a\xEF\xBF\xBD"sv},
      {u"\xD800z"sv, "\xEF\xBF\xBDz"sv},
      {u"\xDC00"sv, "\xEF\xBF\xBD"sv},
      {u"\xDE00\xD83D"sv, "\xEF\xBF\xBD\xEF\xBF\xBD"sv},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::PrintToString(row.bytes));
    EXPECT_EQ(ToUtf8(row.units), row.bytes);
  }
}

// Plain ASCII is widened unit for unit; a line break or a byte from 0x80
// stops it, in the first sixteen bytes or in the tail behind them.
TEST(WidenPlainAscii, WidensPlainAsciiAndStopsAtAnyOtherByte) {
  constexpr std::pair<std::string_view, bool> kRows[] = {
      {""sv, true},
      {fixtures::kSamplePair.text1, true},
      {"sixteen bytes ok\r"sv, false},
      {"\nsixteen bytes ok"sv, false},
      {"first sixteen ok then \xC3\xA4"sv, false},
      {"tab\tand ~ stay"sv, true},
  };
  for (const auto& [bytes, plain] : kRows) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    Text units(bytes.size(), u'\0');
    ASSERT_EQ(WidenPlainAscii(bytes, units.data()), plain);
    if (plain) {
      EXPECT_EQ(units, Text(bytes.begin(), bytes.end()));
    }
  }
}

}  // namespace
}  // namespace velmoro
