// The tables the web build reads in place of ICU say what ICU says, on every
// code point.

#include <gtest/gtest.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>

#include "composition_boundaries.h"
#include "lower_case.h"

namespace velmoro {

using internal::HasCompositionBoundaryBefore;
using internal::SimpleLowerCase;

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

TEST(UnicodeTables, LowerCaseEqualsIcuOnEveryCodePoint) {
  for (char32_t c = 0; c <= kLastCodePoint; ++c) {
    const auto expected = static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
    ASSERT_EQ(SimpleLowerCase(c), expected) << std::hex << "U+" << static_cast<unsigned>(c);
  }
}

TEST(UnicodeTables, CompositionBoundariesEqualIcuOnEveryCodePoint) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  ASSERT_TRUE(U_SUCCESS(status));
  for (char32_t c = 0; c <= kLastCodePoint; ++c) {
    ASSERT_EQ(HasCompositionBoundaryBefore(c), nfc->hasBoundaryBefore(static_cast<UChar32>(c)))
        << std::hex << "U+" << static_cast<unsigned>(c);
  }
}

}  // namespace
}  // namespace velmoro
