#pragma once

// The text operations the comparison engine is written in. A Text is a
// sequence of 16-bit units; lengths and positions count units, positions are
// 1-based and 0 means "none". Comparison is unit by unit and case-sensitive.
// The scores depend on the exact edge behaviour of these operations (which
// character is a space, what a search for the empty text returns, what a
// negative count does), so each contract below states it.
//
// Pieces of an input come back as views into that input; new content comes
// back as an owned Text.

#include <string>
#include <string_view>

#include "checked_arithmetic.h"
#include "lower_case.h"
#include "velmoro/errors.h"
#include "velmoro/procedures.h"
#include "velmoro/text.h"

namespace velmoro {

// The number of units in s. Throws Overflow for a text longer than a Long.
[[nodiscard]] Long Len(TextView s);

// s without its leading and trailing U+0020 spaces. Tabs, line breaks and
// every other kind of white space stay.
[[nodiscard]] TextView Trim(TextView s);

// s without its leading U+0020 spaces.
[[nodiscard]] TextView LeftTrim(TextView s);

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

}  // namespace velmoro
