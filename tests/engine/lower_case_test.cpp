// Lower-casing against ICU's own simple lower-case mapping, the oracle, on
// every code point.

#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <string>

#include "engine_test_support.h"
#include "model_primitives.h"

namespace velmoro {
namespace {

Text Encoded(UChar32 c) {
  if (U16_LENGTH(c) == 1) return Text(1, static_cast<char16_t>(c));
  return {static_cast<char16_t>(U16_LEAD(c)), static_cast<char16_t>(U16_TRAIL(c))};
}

TEST(LowerCase, AgreesWithTheSimpleMappingOnEveryCodePoint) {
  Text all;
  Text allLowered;
  std::string firstMismatch;
  for (UChar32 c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const UChar32 lower = u_tolower(c);
    // A mapping into the other plane would change the length: not applied.
    const Text expected = Encoded(U16_LENGTH(lower) == U16_LENGTH(c) ? lower : c);
    if (firstMismatch.empty() && LowerCase(Encoded(c)) != expected) {
      firstMismatch = Shown(Encoded(c));
    }
    all += Encoded(c);
    allLowered += expected;
  }
  EXPECT_EQ(firstMismatch, "");
  // The same code points in one text: neighbours do not change the mapping.
  EXPECT_TRUE(LowerCase(all) == allLowered);
}

}  // namespace
}  // namespace velmoro
