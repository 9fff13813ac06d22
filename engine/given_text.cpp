#include "velmoro/fronts.h"

#include <algorithm>

#include "utf8_text.h"

namespace velmoro {

// Most texts are ASCII without line breaks, and their units are their bytes.
GivenText GivenText::FromUtf8(std::string_view bytes) {
  const bool plain = std::all_of(bytes.begin(), bytes.end(), [](char byte) {
    return static_cast<unsigned char>(byte) < 0x80 && byte != '\r' && byte != '\n';
  });
  if (!plain) return FromUtf16(velmoro::FromUtf8(bytes));
  GivenText given;
  given.text_.assign(bytes.begin(), bytes.end());
  return given;
}

GivenText GivenText::FromUtf16(std::u16string_view units) {
  GivenText given;
  given.text_.reserve(units.size());
  const auto continuing = [&given] {
    given.continuations_.push_back(static_cast<std::uint32_t>(given.text_.size() - 1));
  };
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    const bool pairs = i + 1 < units.size();
    if (unit == u'\r' || unit == u'\n') {
      given.text_ += u"\r\n";
      if (unit == u'\r' && pairs && units[i + 1] == u'\n') {
        ++i;
      } else {
        continuing();
      }
    } else {
      given.text_ += unit;
      if (IsHighSurrogate(unit) && pairs && IsLowSurrogate(units[i + 1])) {
        given.text_ += units[++i];
        continuing();
      }
    }
  }
  return given;
}

std::size_t GivenText::CodePointOf(std::size_t unit) const {
  const auto continued = std::upper_bound(continuations_.begin(), continuations_.end(), unit);
  return unit - static_cast<std::size_t>(continued - continuations_.begin());
}

}  // namespace velmoro
