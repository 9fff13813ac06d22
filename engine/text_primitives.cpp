#include "text_primitives.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <version>

#include "spaces.h"

namespace velmoro::internal {

namespace {

constexpr char16_t kSpace = u' ';

}  // namespace

Long Len(TextView s) { return ToLong(static_cast<std::int64_t>(s.size())); }

TextView Trim(TextView s) {
  const TextView left = LeftTrim(s);
  // npos + 1 is 0: a text of spaces only trims to the empty text.
  return left.substr(0, left.find_last_not_of(kSpace) + 1);
}

TextView LeftTrim(TextView s) { return s.substr(SkipSpaces(s, 0)); }

}  // namespace velmoro::internal

namespace velmoro {

Text IntegerToText(Long n) {
  std::array<char, 16> digits{};
  const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), n);
  return Text(digits.data(), written.ptr);
}

Text DoubleToText(double x, char16_t decimalSeparator) {
  if (x == 0) return u"0";
  std::array<char, 64> buffer{};
  // The general format at precision 15 is printf's %.15G rule: correctly
  // rounded, trailing zeros dropped, exponent form below 1E-04 and from 1E+15.
  // A standard library without floating-point to_chars (the web build's) has
  // printf itself write it, exactly as well, where the locale is always "C".
#if __cpp_lib_to_chars >= 201611L
  char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                            std::chars_format::general, 15).ptr;
#else
  char* end = buffer.data() + std::snprintf(buffer.data(), buffer.size(), "%.15G", x);
#endif
  // Digits, sign, point and exponent: only the point and the "e" change.
  Text out(buffer.data(), end);
  for (char16_t& unit : out) {
    if (unit == u'.') {
      unit = decimalSeparator;
    } else if (unit == u'e') {
      unit = u'E';
    }
  }
  return out;
}

}  // namespace velmoro
