#include "normalize_text.h"

#include <array>
#include <tuple>

namespace velmoro {

namespace {

// What normalisation makes of an ASCII unit: the space and the eight marks
// become spaces, capitals become small letters.
constexpr std::array<char16_t, 128> kNormalizedAscii = [] {
  std::array<char16_t, 128> normalized{};
  for (char16_t unit = 0; unit < normalized.size(); ++unit) {
    normalized[unit] = LowerCaseAscii(unit);
  }
  for (const char16_t mark : std::u16string_view(u" ,.;:?!-*")) normalized[mark] = u' ';
  return normalized;
}();

// unit with the marks turned into spaces and ASCII capitals lower-cased.
constexpr char16_t NormalizedUnit(char16_t unit) {
  return unit < kNormalizedAscii.size() ? kNormalizedAscii[unit] : unit;
}

// Where the trimmed raw text starts and ends in raw.
std::pair<std::size_t, std::size_t> TrimmedRange(TextView raw) {
  const TextView trimmed = Trim(raw);
  const std::size_t start =
      trimmed.empty() ? raw.size() : static_cast<std::size_t>(trimmed.data() - raw.data());
  return {start, start + trimmed.size()};
}

}  // namespace

bool NormalizesToSpace(char16_t unit) { return NormalizedUnit(unit) == u' '; }

Text NormalizeText(TextView s) {
  // Repeating "marks to spaces, each pair of spaces to one" until nothing
  // changes leaves exactly one space for every run of spaces and marks, and
  // lower-casing neither makes a space or a mark nor changes twice, so one
  // pass of each gives the same text.
  Text collapsed;
  // Room for the space that a prepared text appends.
  collapsed.reserve(s.size() + 1);
  collapsed.resize(s.size());
  std::size_t length = 0;
  bool afterSpace = false;
  char16_t allUnits = 0;
  // Every unit is written, and a space behind a space is written over, so
  // that the loop does not branch at each word's edges.
  for (const char16_t unit : s) {
    const char16_t normalized = NormalizedUnit(unit);
    const bool space = normalized == u' ';
    collapsed[length] = normalized;
    length += static_cast<std::size_t>(!(space & afterSpace));
    afterSpace = space;
    allUnits |= unit;
  }
  collapsed.resize(length);
  // Only a unit beyond ASCII can still need lower-casing.
  if (allUnits >= kNormalizedAscii.size()) LowerCaseInPlace(collapsed);
  return collapsed;
}

RawPlaces::RawPlaces(TextView raw) : raw_(raw) { std::tie(next_, end_) = TrimmedRange(raw); }

// The walk makes the prepared text's units as NormalizeText does: a unit
// makes one unless it is a space behind a space.
std::size_t RawPlaces::RawIndexOf(std::size_t index) {
  while (written_ <= index && next_ < end_) {
    const bool space = NormalizesToSpace(raw_[next_]);
    if (!(space && afterSpace_)) {
      opener_ = next_;
      ++written_;
    }
    afterSpace_ = space;
    ++next_;
  }
  return written_ > index ? opener_ : end_;
}

RawWords::RawWords(TextView raw) : raw_(raw) {
  std::tie(next_, end_) = TrimmedRange(raw);
  emptyWordDue_ = next_ < end_ && NormalizesToSpace(raw_[next_]);
}

// A word is a run of units that normalisation leaves as they are or
// lower-cases: everything but spaces and marks.
std::pair<std::size_t, std::size_t> RawWords::Next() {
  if (emptyWordDue_) {
    emptyWordDue_ = false;
    return {next_, 0};
  }
  while (next_ < end_ && NormalizesToSpace(raw_[next_])) ++next_;
  const std::size_t start = next_;
  while (next_ < end_ && !NormalizesToSpace(raw_[next_])) ++next_;
  return {start, next_ - start};
}

}  // namespace velmoro
