#include "lower_case.h"

#include "utf8_text.h"

namespace velmoro::internal {

namespace {

constexpr char32_t kFirstSupplementary = 0x10000;

// The simple lower-case mapping of one code point, kept only when it takes as
// many units as the original, so that lower-casing never changes a length.
char32_t LowerCodePoint(char32_t c) {
  const char32_t lower = SimpleLowerCase(c);
  return (lower < kFirstSupplementary) == (c < kFirstSupplementary) ? lower : c;
}

char32_t Supplementary(char16_t lead, char16_t trail) {
  return kFirstSupplementary + ((static_cast<char32_t>(lead) - 0xD800) << 10) +
         (static_cast<char32_t>(trail) - 0xDC00);
}

}  // namespace

// Every mapping keeps its number of units, so the text is rewritten in place.
void LowerCaseInPlace(Text& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      text[i] = LowerCaseAscii(unit);
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const char32_t lower = LowerCodePoint(Supplementary(unit, text[i + 1])) - kFirstSupplementary;
      text[i] = static_cast<char16_t>(0xD800 + (lower >> 10));
      text[++i] = static_cast<char16_t>(0xDC00 + (lower & 0x3FF));
    } else {
      // A lone surrogate maps to itself.
      text[i] = static_cast<char16_t>(LowerCodePoint(unit));
    }
  }
}

}  // namespace velmoro::internal
