#include "composed_form.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <new>
#include <stdexcept>

namespace velmoro::internal {

namespace {

const icu::Normalizer2& Nfc() {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU has no NFC data");
  return *nfc;
}

// A read-only ICU view of units [start, end) of text.
icu::UnicodeString View(std::u16string_view text, std::size_t start, std::size_t end) {
  return {false, text.data() + start, static_cast<int32_t>(end - start)};
}

// The code point that starts at unit at.
UChar32 CodePointAt(std::u16string_view text, std::size_t at) {
  const char16_t unit = text[at];
  if (U16_IS_LEAD(unit) && at + 1 < text.size() && U16_IS_TRAIL(text[at + 1])) {
    return U16_GET_SUPPLEMENTARY(unit, text[at + 1]);
  }
  return unit;
}

// The last boundary at or before at.
std::size_t BoundaryBefore(const icu::Normalizer2& nfc, std::u16string_view text,
                           std::size_t at) {
  while (at > 0 && !nfc.hasBoundaryBefore(CodePointAt(text, at))) {
    --at;
    if (at > 0 && U16_IS_TRAIL(text[at]) && U16_IS_LEAD(text[at - 1])) --at;
  }
  return at;
}

// The first boundary after the code point at at.
std::size_t BoundaryAfter(const icu::Normalizer2& nfc, std::u16string_view text,
                          std::size_t at) {
  do {
    at += static_cast<std::size_t>(U16_LENGTH(CodePointAt(text, at)));
  } while (at < text.size() && !nfc.hasBoundaryBefore(CodePointAt(text, at)));
  return at;
}

}  // namespace

std::vector<ComposedStretch> StretchesToCompose(std::u16string_view text) {
  const icu::Normalizer2& nfc = Nfc();
  std::vector<ComposedStretch> stretches;
  std::size_t scan = 0;
  while (scan < text.size()) {
    UErrorCode status = U_ZERO_ERROR;
    const auto settled = static_cast<std::size_t>(
        nfc.spanQuickCheckYes(View(text, scan, text.size()), status));
    if (U_FAILURE(status)) throw std::bad_alloc();
    if (scan + settled == text.size()) break;
    const std::size_t start = BoundaryBefore(nfc, text, scan + settled);
    const std::size_t end = BoundaryAfter(nfc, text, scan + settled);
    icu::UnicodeString composed;
    nfc.normalize(View(text, start, end), composed, status);
    if (U_FAILURE(status)) throw std::bad_alloc();
    if (composed != View(text, start, end)) {
      stretches.push_back({start, end, std::u16string(composed.getBuffer(),
                                                      static_cast<std::size_t>(composed.length()))});
    }
    scan = end;
  }
  return stretches;
}

}  // namespace velmoro::internal
