#include "model_primitives.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "lower_case.h"
#include "substring_search.h"

namespace velmoro {

using internal::FindUnits;
using internal::Len;
using internal::LowerCaseInPlace;
using internal::ToInteger;
using internal::ToLong;
using internal::kNotFound;

namespace {

std::size_t ToSize(Long n) { return static_cast<std::size_t>(n); }

void RequireCount(Long n) {
  if (n < 0) throw RuntimeError(ErrorKind::InvalidArgument);
}

}  // namespace

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

double Sqr(double x) { return std::sqrt(x); }

Integer SubtractInteger(Integer a, Integer b) { return ToInteger(Long{a} - Long{b}); }

Long AddLong(Long a, Long b) { return ToLong(std::int64_t{a} + std::int64_t{b}); }

}  // namespace velmoro
