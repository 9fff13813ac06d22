#pragma once

// The text operations and checked sums that only the literal model of the
// scorer is written in, beside those the engine itself runs
// (text_primitives.h, checked_arithmetic.h). Their edge behaviour is the
// model's: each contract below states it.

#include "checked_arithmetic.h"
#include "text_primitives.h"

namespace velmoro {

// The first n units of s: all of s when n >= Len(s), empty when n = 0.
// Throws InvalidArgument when n < 0.
[[nodiscard]] TextView Left(TextView s, Long n);

// The last n units of s: all of s when n >= Len(s), empty when n = 0.
// Throws InvalidArgument when n < 0.
[[nodiscard]] TextView Right(TextView s, Long n);

// The smallest position p >= start at which t occurs in s, unit by unit; 0 when
// there is none and 0 when s is empty. An empty t is found at start itself when
// start <= Len(s). Throws InvalidArgument when start < 1. Linear in the worst
// case.
[[nodiscard]] Long InStr(Long start, TextView s, TextView t);

// s with every occurrence of find replaced by with, in one left-to-right pass:
// after a replacement the scan resumes behind the replaced occurrence, so
// occurrences never overlap and inserted text is never examined again
// (replacing "  " by " " turns five spaces into three). An empty find leaves
// s unchanged.
[[nodiscard]] Text Replace(TextView s, TextView find, TextView with);

// s with every upper-case letter replaced by its lower-case form: A to Z, and
// other letters by the Unicode simple lower-case mapping, code point by code
// point. A surrogate pair is mapped as one code point; a lone surrogate stays;
// a mapping that would change the number of units leaves the character as it
// is, so the length never changes.
[[nodiscard]] Text LowerCase(TextView s);

// The units of s in reverse order (a surrogate pair comes out swapped).
[[nodiscard]] Text StrReverse(TextView s);

// The square root of x >= 0 (NaN for a negative x, which the floating-point
// checks of the comparison run then report).
[[nodiscard]] double Sqr(double x);

// Exact sums and differences besides the engine's own. Throw Overflow when the
// result leaves the range.
[[nodiscard]] Integer SubtractInteger(Integer a, Integer b);
[[nodiscard]] Long AddLong(Long a, Long b);

}  // namespace velmoro
