#include "normalize_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <tuple>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmoro::internal {

namespace {

// The marks that normalisation turns into spaces.
constexpr std::u16string_view kMarks = u",.;:?!-*";

// What normalisation makes of an ASCII unit: the space and the eight marks
// become spaces, capitals become small letters.
constexpr std::array<char16_t, 128> kNormalizedAscii = [] {
  std::array<char16_t, 128> normalized{};
  for (char16_t unit = 0; unit < normalized.size(); ++unit) {
    normalized[unit] = LowerCaseAscii(unit);
  }
  normalized[u' '] = u' ';
  for (const char16_t mark : kMarks) normalized[mark] = u' ';
  return normalized;
}();

// unit with the marks turned into spaces and ASCII capitals lower-cased.
constexpr char16_t NormalizedUnit(char16_t unit) {
  return unit < kNormalizedAscii.size() ? kNormalizedAscii[unit] : unit;
}

// Writes the normalised units of a text one after the other, leaving out
// each space that follows a space.
class Collapser {
 public:
  explicit Collapser(char16_t* out) : out_(out) {}

  // Every unit is written, and a space behind a space is written over, so
  // that the loop does not branch at each word's edges.
  void Add(char16_t unit) {
    const char16_t normalized = NormalizedUnit(unit);
    const bool space = normalized == u' ';
    out_[length_] = normalized;
    length_ += static_cast<std::size_t>(!(space & after_space_));
    after_space_ = space;
    all_units_ |= unit;
  }

#if defined(__SSE2__)
  // Eight units at once: marks and capitals by comparisons, and the eight
  // written together unless one of them is a space behind a space.
  void AddEight(const char16_t* units) {
    const __m128i raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    const __m128i space = _mm_set1_epi16(static_cast<short>(u' '));
    __m128i marks = _mm_cmpeq_epi16(raw, space);
    for (const char16_t mark : kMarks) {
      marks = _mm_or_si128(marks, _mm_cmpeq_epi16(raw, _mm_set1_epi16(static_cast<short>(mark))));
    }
    const __m128i capitals =
        _mm_and_si128(_mm_cmpgt_epi16(raw, _mm_set1_epi16(static_cast<short>(u'A' - 1))),
                      _mm_cmplt_epi16(raw, _mm_set1_epi16(static_cast<short>(u'Z' + 1))));
    const __m128i lowered = _mm_add_epi16(raw, _mm_and_si128(capitals, _mm_set1_epi16(32)));
    const __m128i normalized =
        _mm_or_si128(_mm_and_si128(marks, space), _mm_andnot_si128(marks, lowered));
    const auto spaces = static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_packs_epi16(marks, _mm_setzero_si128())));
    const std::uint32_t behindSpace = (spaces << 1) | (after_space_ ? 1U : 0U);
    std::array<char16_t, 8> written;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(written.data()), normalized);
    // Only a unit at or above 0x80 has a bit of 0xFF80.
    const __m128i beyondAscii = _mm_and_si128(raw, _mm_set1_epi16(static_cast<short>(0xFF80)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(beyondAscii, _mm_setzero_si128())) != 0xFFFF) {
      all_units_ |= 0x80;
    }
    const std::uint32_t dropped = spaces & behindSpace;
    if (dropped == 0) {
      std::copy(written.begin(), written.end(), out_ + length_);
      length_ += written.size();
      after_space_ = (spaces & 0x80U) != 0;
      return;
    }
    // Eight spaces behind a space, inside a run of spaces and marks, add nothing.
    if (dropped == 0xFFU) return;
    for (const char16_t unit : written) Add(unit);
  }
#endif

  [[nodiscard]] std::size_t length() const { return length_; }
  // Every unit seen, or-ed together: below 0x80 when all were ASCII.
  [[nodiscard]] char16_t allUnits() const { return all_units_; }

 private:
  char16_t* out_;
  std::size_t length_ = 0;
  bool after_space_ = false;
  char16_t all_units_ = 0;
};

// Where the trimmed raw text starts and ends in raw.
std::pair<std::size_t, std::size_t> TrimmedRange(TextView raw) {
  const TextView trimmed = Trim(raw);
  const std::size_t start =
      trimmed.empty() ? raw.size() : static_cast<std::size_t>(trimmed.data() - raw.data());
  return {start, start + trimmed.size()};
}

}  // namespace

void NormalizeTextInto(TextView s, Text& collapsed) {
  // Repeating "marks to spaces, each pair of spaces to one" until nothing
  // changes leaves exactly one space for every run of spaces and marks, and
  // lower-casing neither makes a space or a mark nor changes twice, so one
  // pass of each gives the same text.
  // Room for the space that a prepared text appends.
  collapsed.reserve(s.size() + 1);
  collapsed.resize(s.size());
  Collapser collapser(collapsed.data());
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 8 <= s.size(); i += 8) collapser.AddEight(s.data() + i);
#endif
  for (; i < s.size(); ++i) collapser.Add(s[i]);
  collapsed.resize(collapser.length());
  // Only a unit beyond ASCII can still need lower-casing.
  if (collapser.allUnits() >= kNormalizedAscii.size()) LowerCaseInPlace(collapsed);
}

RawPlaces::RawPlaces(TextView raw) : raw_(raw) { std::tie(next_, end_) = TrimmedRange(raw); }

// The walk makes the prepared text's units as NormalizeText does: a unit
// makes one unless it is a space behind a space.
std::size_t RawPlaces::RawIndexOf(std::size_t index) {
  while (written_ <= index && next_ < end_) {
    const bool space = NormalizesToSpace(raw_[next_]);
    if (!(space && after_space_)) {
      opener_ = next_;
      ++written_;
    }
    after_space_ = space;
    ++next_;
  }
  return written_ > index ? opener_ : end_;
}

RawWords::RawWords(TextView raw) : raw_(raw) {
  std::tie(next_, end_) = TrimmedRange(raw);
  empty_word_due_ = next_ < end_ && NormalizesToSpace(raw_[next_]);
}

// A word is a run of units that normalisation leaves as they are or
// lower-cases: everything but spaces and marks.
std::pair<std::size_t, std::size_t> RawWords::Next() {
  if (empty_word_due_) {
    empty_word_due_ = false;
    return {next_, 0};
  }
  while (next_ < end_ && NormalizesToSpace(raw_[next_])) ++next_;
  const std::size_t start = next_;
  while (next_ < end_ && !NormalizesToSpace(raw_[next_])) ++next_;
  return {start, next_ - start};
}

}  // namespace velmoro::internal

namespace velmoro {

using internal::NormalizeTextInto;
using internal::NormalizedUnit;

bool NormalizesToSpace(char16_t unit) { return NormalizedUnit(unit) == u' '; }

Text NormalizeText(TextView s) {
  Text normalized;
  NormalizeTextInto(s, normalized);
  return normalized;
}

}  // namespace velmoro
