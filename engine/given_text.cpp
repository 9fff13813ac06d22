#include <algorithm>
#include <iterator>

#include "composed_form.h"
#include "utf8_text.h"
#include "velmoro/fronts.h"

namespace velmoro {

using internal::ComposedStretch;
using internal::IsHighSurrogate;
using internal::IsLowSurrogate;
using internal::StretchesToCompose;
using internal::WidenPlainAscii;

namespace {

bool PairStarts(std::u16string_view units, std::size_t i) {
  return IsHighSurrogate(units[i]) && i + 1 < units.size() && IsLowSurrogate(units[i + 1]);
}

// How many code points units holds; a lone surrogate counts as one.
std::size_t CodePoints(std::u16string_view units) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < units.size(); ++i, ++count) {
    if (PairStarts(units, i)) ++i;
  }
  return count;
}

// The code points of units that are surrogate pairs, ascending.
std::vector<std::uint32_t> PairedCodePoints(std::u16string_view units) {
  std::vector<std::uint32_t> pairs;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (!PairStarts(units, i)) continue;
    pairs.push_back(static_cast<std::uint32_t>(i - pairs.size()));
    ++i;
  }
  return pairs;
}

}  // namespace

// Most texts are ASCII without line breaks: their units are their bytes, and
// they are in composed form already.
GivenText GivenText::FromUtf8(std::string_view bytes) {
  GivenText given;
  given.AssignUtf8(bytes);
  return given;
}

void GivenText::AssignUtf8(std::string_view bytes) {
  continuations_.clear();
  skips_.clear();
  pairs_.clear();
  text_.resize(bytes.size());
  if (WidenPlainAscii(bytes, text_.data())) return;
  text_.clear();
  *this = FromUtf16(internal::FromUtf8(bytes));
}

GivenText GivenText::FromUtf16(std::u16string_view units) {
  GivenText given;
  given.pairs_ = PairedCodePoints(units);
  given.text_.reserve(units.size());
  const std::vector<ComposedStretch> stretches = StretchesToCompose(units);
  auto stretch = stretches.begin();
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (stretch != stretches.end() && i == stretch->start) {
      given.AppendComposed(stretch->composed, CodePoints(units.substr(i, stretch->end - i)));
      i = stretch->end - 1;
      ++stretch;
    } else {
      given.AppendGiven(units, i);
    }
  }
  return given;
}

// A line break becomes CR LF; a surrogate pair is one code point of two units.
void GivenText::AppendGiven(std::u16string_view units, std::size_t& i) {
  const char16_t unit = units[i];
  const bool pairs = i + 1 < units.size();
  if (unit == u'\r' || unit == u'\n') {
    text_ += u"\r\n";
    if (unit == u'\r' && pairs && units[i + 1] == u'\n') {
      ++i;
    } else {
      Continue();
    }
  } else {
    text_ += unit;
    if (IsHighSurrogate(unit) && pairs && IsLowSurrogate(units[i + 1])) {
      text_ += units[++i];
      Continue();
    }
  }
}

// The composed units stand together for the given code points they replace:
// every place inside them maps back to the stretch's start, and the place
// behind them to the stretch's end.
void GivenText::AppendComposed(std::u16string_view composed, std::size_t givenCodePoints) {
  text_ += composed.front();
  for (const char16_t unit : composed.substr(1)) {
    text_ += unit;
    Continue();
  }
  if (givenCodePoints > 1) {
    const std::uint32_t before = skips_.empty() ? 0 : skips_.back().code_points;
    skips_.push_back({static_cast<std::uint32_t>(text_.size()),
                      before + static_cast<std::uint32_t>(givenCodePoints - 1)});
  }
}

void GivenText::Continue() {
  continuations_.push_back(static_cast<std::uint32_t>(text_.size() - 1));
}

std::size_t GivenText::CodePointOf(std::size_t unit) const {
  const auto continued = std::upper_bound(continuations_.begin(), continuations_.end(), unit);
  const std::size_t codePoint =
      unit - static_cast<std::size_t>(continued - continuations_.begin());
  const auto skipped = std::upper_bound(skips_.begin(), skips_.end(), unit,
                                        [](std::size_t at, const Skip& skip) { return at < skip.unit; });
  return skipped == skips_.begin() ? codePoint : codePoint + std::prev(skipped)->code_points;
}

std::size_t GivenText::Utf16UnitOf(std::size_t codePoint) const {
  const auto pairsBefore = std::lower_bound(pairs_.begin(), pairs_.end(), codePoint);
  return codePoint + static_cast<std::size_t>(pairsBefore - pairs_.begin());
}

}  // namespace velmoro
