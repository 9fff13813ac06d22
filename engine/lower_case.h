#pragma once

// Lower-casing as the comparison's normalisation does it: A to Z become a to
// z, and every other letter takes its Unicode simple lower-case mapping, code
// point by code point, so long as that keeps its number of units. The length
// of a text never changes.

#include "velmoro/text.h"

namespace velmoro::internal {

// The lower case of one ASCII unit: A to Z become a to z, every other unit
// stays.
[[nodiscard]] constexpr char16_t LowerCaseAscii(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

// The Unicode simple lower-case mapping of code point c; c itself when it has
// none. One implementation a platform: ICU's natively (lower_case_icu.cpp), a
// table made from ICU when the engine is built in the web build
// (lower_case_table.cpp).
[[nodiscard]] char32_t SimpleLowerCase(char32_t c);

// text lower-cased in place. A surrogate pair is mapped as one code point; a
// lone surrogate stays; a mapping that would change the number of units leaves
// the character as it is.
void LowerCaseInPlace(Text& text);

}  // namespace velmoro::internal
