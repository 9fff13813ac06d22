// Fuzzes the Compare action on two texts cut from the input. The input's first
// two bytes choose where the first text ends; the rest is read as 16-bit units,
// little-endian, so that every unit (lone surrogates and surrogate pairs too)
// reaches the engine. While both texts are small enough for the literal
// reference model, the fast scorer must agree with it on every direction, as
// must its scan over units taken for any texts, and a disagreement stops the
// fuzzer like a crash. When the top bit of the second byte is set, both texts
// are also checked repeated until they hold about as many words as the scan
// over words takes at most, a little fewer or a little more, so that compares
// switch between the two scans there; when the next bit is set (and three of
// the first byte's are not), the first text gains a word that holds its first
// unit about as many times as the scan over words takes places of words, and
// the two scans must agree.

#include <cstddef>
#include <cstdint>
#include <span>

#include "compare_action.h"
#include "comparison_run.h"
#include "direction_outcome.h"
#include "direction_scorer.h"
#include "literal_scorer.h"
#include "normalize_text.h"
#include "prepared_text.h"
#include "tuning.h"

namespace {

using velmoro::Integer;
using velmoro::Text;
using velmoro::TextView;

// The literal model copies the rest of the source for every word: beyond this
// length a run would cost more than the fuzzer should wait.
constexpr std::size_t kReferenceUnits = 2'000;

struct TextPair {
  Text text1;
  Text text2;
};

TextPair SplitTexts(std::span<const std::uint8_t> bytes) {
  const std::size_t cut = bytes[0] | static_cast<std::size_t>(bytes[1]) << 8;
  Text units;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
  }
  const std::size_t split = cut % (units.size() + 1);
  return {units.substr(0, split), units.substr(split)};
}

// text repeated, one space apart, until it holds at least words words; text
// unchanged when it holds none.
Text Stretched(TextView text, std::size_t words) {
  const std::size_t held = velmoro::internal::PreparedText(text).words().size();
  if (held == 0) return Text(text);
  Text stretched(text);
  for (std::size_t total = held; total < words; total += held) {
    stretched += u' ';
    stretched += text;
  }
  return stretched;
}

void Require(bool holds) {
  if (!holds) __builtin_trap();
}

void CheckAgainstReference(TextView text1, TextView text2) {
  using velmoro::properties::ScoreWith;
  using velmoro::properties::Try;
  Require(velmoro::NormalizeText(text1) == velmoro::reference::NormalizeText(text1));
  Require(Try([&] { return velmoro::CountWordRun(text1, text2); }) ==
          Try([&] { return velmoro::reference::CountWordRun(text1, text2); }));
  for (Integer direction = 1; direction <= 4; ++direction) {
    const auto reference =
        ScoreWith(velmoro::properties::kReferenceScorer, direction, text1, text2);
    Require(ScoreWith(velmoro::properties::kEngineScorer, direction, text1, text2) == reference);
    Require(ScoreWith(velmoro::properties::kUnitScanScorer, direction, text1, text2) ==
            reference);
  }
}

// For texts too long for the reference model: the scan over words, where it
// takes the texts, against the scan over units.
void CheckAgainstUnitScan(TextView text1, TextView text2) {
  using velmoro::properties::ScoreWith;
  for (Integer direction = 1; direction <= 4; ++direction) {
    Require(ScoreWith(velmoro::properties::kEngineScorer, direction, text1, text2) ==
            ScoreWith(velmoro::properties::kUnitScanScorer, direction, text1, text2));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto [text1, text2] = SplitTexts({data, size});
  velmoro::ComparisonState state;
  const velmoro::internal::CompareOutcome outcome =
      velmoro::internal::RunCompareAction(text1, text2, state);
  // After scoring, only checked arithmetic can fail.
  Require(outcome.error != velmoro::ErrorKind::InvalidArgument &&
          outcome.error != velmoro::ErrorKind::BoundsError);
  Require(!outcome.result_value || velmoro::ResultValue(state) >= -1.0);
  if (text1.size() <= kReferenceUnits && text2.size() <= kReferenceUnits) {
    CheckAgainstReference(text1, text2);
  }
  if ((data[1] & 0x80) != 0) {
    // 2 below the limit to 1 past it, from the low bits of the first byte.
    const std::size_t words = velmoro::internal::kWordScanWords - 2 + (data[0] & 3);
    const Text stretched1 = Stretched(text1, words);
    const Text stretched2 = Stretched(text2, words);
    if (stretched1.size() <= kReferenceUnits && stretched2.size() <= kReferenceUnits) {
      CheckAgainstReference(stretched1, stretched2);
    }
  }
  if ((data[1] & 0x40) != 0 && (data[0] & 0x38) == 0) {
    // A word of text1's first unit, 3 below the limit on places to 4 past
    // it by the low bits of the first byte: text1's places of that unit in
    // it alone come near the limit, beyond the reference model's reach.
    // Long texts slow the fuzzer, so only one input in sixteen takes them.
    const std::size_t units = velmoro::internal::kWordScanPlaces - 3 + (data[0] & 7);
    const Text dense = Text(text1.substr(0, 1)) + u' ' +
                       Text(units, text1.empty() ? u'x' : text1.front()) + u' ' + Text(text1);
    CheckAgainstUnitScan(dense, text2);
    CheckAgainstUnitScan(text2, dense);
  }
  return 0;
}
