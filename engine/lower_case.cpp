#include "lower_case.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace velmoro {

namespace {

// The simple lower-case mapping of one code point, kept only when it takes as
// many units as the original, so that lower-casing never changes a length.
UChar32 LowerCodePoint(UChar32 c) {
  const UChar32 lower = u_tolower(c);
  return U16_LENGTH(lower) == U16_LENGTH(c) ? lower : c;
}

}  // namespace

// Every mapping keeps its number of units, so the text is rewritten in place.
void LowerCaseInPlace(Text& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      text[i] = LowerCaseAscii(unit);
    } else if (U16_IS_LEAD(unit) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
      const UChar32 lower = LowerCodePoint(U16_GET_SUPPLEMENTARY(unit, text[i + 1]));
      text[i] = static_cast<char16_t>(U16_LEAD(lower));
      text[++i] = static_cast<char16_t>(U16_TRAIL(lower));
    } else {
      // A lone surrogate maps to itself.
      text[i] = static_cast<char16_t>(LowerCodePoint(unit));
    }
  }
}

}  // namespace velmoro
