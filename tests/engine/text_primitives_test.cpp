#include "text_primitives.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine_test_support.h"

namespace velmoro {

using internal::LeftTrim;
using internal::Len;
using internal::Trim;

namespace {

// Len

TEST(Len, CountsUnits) {
  EXPECT_EQ(Len(u""), 0);
  EXPECT_EQ(Len(u"a b"), 3);
  // A character outside the basic multilingual plane takes two units.
  EXPECT_EQ(Len(u"\U00010400"), 2);
}

// Trim and LeftTrim

struct TrimRow {
  Text input;
  Text trimmed;
  Text left_trimmed;
};

TEST(Trim, RemovesOnlyU0020) {
  const TrimRow rows[] = {
      {u"  a b  ", u"a b", u"a b  "},
      {u"", u"", u""},
      {u"   ", u"", u""},
      // Tabs, line breaks and other white space survive, even at the ends.
      {u"\ta ", u"\ta", u"\ta "},
      {u"a\t ", u"a\t", u"a\t "},
      {u" \t a", u"\t a", u"\t a"},
      {u" \r\na\r\n ", u"\r\na\r\n", u"\r\na\r\n "},
      {u"\u00A0a\u3000", u"\u00A0a\u3000", u"\u00A0a\u3000"},
  };
  for (const TrimRow& row : rows) {
    SCOPED_TRACE(Shown(row.input));
    EXPECT_EQ(Text(Trim(row.input)), row.trimmed);
    EXPECT_EQ(Text(LeftTrim(row.input)), row.left_trimmed);
  }
}

TEST(IntegerToText, WritesPlainDecimalDigits) {
  const std::pair<Long, Text> rows[] = {
      {150, u"150"},     {0, u"0"},           {-5, u"-5"},
      {32767, u"32767"}, {-32768, u"-32768"}, {std::numeric_limits<Long>::min(), u"-2147483648"},
  };
  for (const auto& [n, expected] : rows) {
    SCOPED_TRACE(n);
    EXPECT_EQ(IntegerToText(n), expected);
  }
}

// DoubleToText

struct NumberRow {
  double x;
  char16_t separator;
  Text expected;
};

TEST(DoubleToText, RoundsToFifteenSignificantDigits) {
  const NumberRow rows[] = {
      {1.0346188026432515, u'.', u"1.03461880264325"},
      {123456789012345678.0, u'.', u"1.23456789012346E+17"},
      {2.5, u'.', u"2.5"},
      {2.5, u',', u"2,5"},
      {0.5, u'.', u"0.5"},
      {150.0, u'.', u"150"},
      {100.0, u'.', u"100"},
      {1.0, u'.', u"1"},
      {-2.5, u'.', u"-2.5"},
      {-0.25, u',', u"-0,25"},
      {0.0, u'.', u"0"},
      {-0.0, u'.', u"0"},
  };
  for (const NumberRow& row : rows) {
    SCOPED_TRACE(row.x);
    EXPECT_EQ(DoubleToText(row.x, row.separator), row.expected);
  }
}

TEST(DoubleToText, SwitchesToExponentFormBelow1EMinus4AndFrom1EPlus15) {
  const NumberRow rows[] = {
      {0.0001, u'.', u"0.0001"},
      {0.0000999, u'.', u"9.99E-05"},
      {1.23456789012345E-05, u'.', u"1.23456789012345E-05"},
      {1.5E-05, u',', u"1,5E-05"},
      {-1E-05, u'.', u"-1E-05"},
      {1E-300, u'.', u"1E-300"},
      // rounds up to 1E-04 at the fifteenth digit, so stays in plain form
      {std::nextafter(0.0001, 0.0), u'.', u"0.0001"},
      {999999999999999.0, u'.', u"999999999999999"},
      {999999999999999.4, u'.', u"999999999999999"},
      // a tie at the fifteenth digit rounds to the even 1E+15
      {999999999999999.5, u'.', u"1E+15"},
      {1E+15, u'.', u"1E+15"},
      {-1E+15, u'.', u"-1E+15"},
      {1.5E+16, u',', u"1,5E+16"},
      {1E+300, u'.', u"1E+300"},
  };
  for (const NumberRow& row : rows) {
    SCOPED_TRACE(row.x);
    EXPECT_EQ(DoubleToText(row.x, row.separator), row.expected);
  }
}

// printf's %.15G rule with the decimal separator swapped in.
Text PrintfRule(double x, char16_t separator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", x);
  Text out;
  for (const char* p = buffer; *p != '\0'; ++p) {
    out.push_back(*p == '.' ? separator : static_cast<char16_t>(*p));
  }
  return out;
}

TEST(DoubleToText, AgreesWithPrintfAcrossMagnitudes) {
  std::vector<double> values = {100000000000000.5, 100000000000001.5,
                                std::nextafter(1E+15, 0.0), DBL_MAX, DBL_MIN,
                                std::numeric_limits<double>::denorm_min()};
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-25, 25);
  for (int i = 0; i < 20000; ++i) {
    const double x = mantissa(random) * std::pow(10.0, exponent(random));
    values.push_back(i % 2 == 0 ? x : -x);
  }
  for (const double x : values) {
    SCOPED_TRACE(testing::Message() << std::hexfloat << x);
    ASSERT_EQ(DoubleToText(x, u','), PrintfRule(x, u','));
  }
}

// Sqr

}  // namespace
}  // namespace velmoro
