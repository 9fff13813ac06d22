#pragma once

// What the property tests share: the fixed seeds and pair counts, a short
// description of a pair for failure messages, and outcomes shown readably.

#include <gtest/gtest.h>
#include <unicode/ustring.h>

#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>

#include "direction_outcome.h"
#include "engine_test_support.h"
#include "text_pairs.h"

namespace velmoro::properties {

inline constexpr std::uint32_t kSmallSeed = 1;
inline constexpr std::uint32_t kLargeSeed = 2;
inline constexpr int kSmallPairs = 4'000;
// Set by the build: fewer where the build is slow.
inline constexpr int kLargePairs = VELMORO_LARGE_PAIRS;

// A pair for a failure message: the texts themselves when they are short,
// otherwise their lengths and beginnings.
inline std::string Described(const TextPair& pair) {
  constexpr std::size_t kShownUnits = 120;
  std::ostringstream described;
  const auto describe = [&](const char* name, TextView text) {
    described << name << ' ';
    if (text.size() > kShownUnits) described << text.size() << " units beginning ";
    described << '"' << Shown(text.substr(0, kShownUnits)) << '"';
  };
  describe("text1", pair.text1);
  describe(", text2", pair.text2);
  return described.str();
}

// text in UTF-8, by ICU rather than by the command-line front's own encoder.
inline std::string Utf8(TextView text) {
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  u_strToUTF8(nullptr, 0, &length, text.data(), static_cast<int32_t>(text.size()), &status);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  status = U_ZERO_ERROR;
  u_strToUTF8(bytes.data(), length, nullptr, text.data(), static_cast<int32_t>(text.size()),
              &status);
  EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
  return bytes;
}

inline void PrintTo(const RecordedStep& step, std::ostream* os) {
  *os << "{word \"" << Shown(step.word) << "\", position " << step.position
      << (step.by_context ? ", by context " : ", one point ") << step.following << '+'
      << step.preceding << ", score " << step.score << ", from " << step.source_start
      << " to " << step.target_start << '}';
}

inline void PrintTo(const DirectionOutcome& outcome, std::ostream* os) {
  *os << "score " << outcome.score << ", error "
      << (outcome.error ? ErrorKindName(*outcome.error) : "none") << ", "
      << outcome.steps.size() << " steps";
}

}  // namespace velmoro::properties
