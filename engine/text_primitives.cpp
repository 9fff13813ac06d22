#include "text_primitives.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <version>

#include "lower_case.h"
#include "spaces.h"
#include "substring_search.h"

namespace velmoro {

namespace {

constexpr char16_t kSpace = u' ';

std::size_t ToSize(Long n) { return static_cast<std::size_t>(n); }

void RequireCount(Long n) {
  if (n < 0) throw RuntimeError(ErrorKind::InvalidArgument);
}

}  // namespace

Long Len(TextView s) { return ToLong(static_cast<std::int64_t>(s.size())); }

TextView Trim(TextView s) {
  const TextView left = LeftTrim(s);
  // npos + 1 is 0: a text of spaces only trims to the empty text.
  return left.substr(0, left.find_last_not_of(kSpace) + 1);
}

TextView LeftTrim(TextView s) { return s.substr(SkipSpaces(s, 0)); }

TextView Left(TextView s, Long n) {
  RequireCount(n);
  return s.substr(0, ToSize(n));
}

TextView Right(TextView s, Long n) {
  RequireCount(n);
  return s.substr(s.size() - std::min(s.size(), ToSize(n)));
}

Long InStr(Long start, TextView s, TextView t) {
  if (start < 1) throw RuntimeError(ErrorKind::InvalidArgument);
  if (s.empty()) return 0;
  if (t.empty()) return start <= Len(s) ? start : 0;
  const std::size_t found = FindUnits(s, t, ToSize(start) - 1);
  return found == kNotFound ? 0 : ToLong(static_cast<std::int64_t>(found) + 1);
}

Text Replace(TextView s, TextView find, TextView with) {
  if (find.empty()) return Text(s);
  Text out;
  out.reserve(s.size());
  std::size_t scan = 0;
  for (std::size_t hit = FindUnits(s, find, scan); hit != kNotFound;
       hit = FindUnits(s, find, scan)) {
    out.append(s.substr(scan, hit - scan)).append(with);
    scan = hit + find.size();
  }
  out.append(s.substr(scan));
  return out;
}

Text LowerCase(TextView s) {
  Text out(s);
  LowerCaseInPlace(out);
  return out;
}

Text StrReverse(TextView s) { return Text(s.rbegin(), s.rend()); }

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

double Sqr(double x) { return std::sqrt(x); }

}  // namespace velmoro
