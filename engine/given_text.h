#pragma once

// A text as a caller gave it, in UTF-8 or UTF-16, made into the text the
// engine compares: every line break, whether CR LF, a lone LF or a lone CR,
// becomes CR LF. The way back from a unit of that text to a code point of the
// text as given goes with it.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text_primitives.h"

namespace velmoro {

class GivenText {
 public:
  // Throws InvalidUtf8 for bytes that are not well-formed UTF-8.
  [[nodiscard]] static GivenText FromUtf8(std::string_view bytes);
  [[nodiscard]] static GivenText FromUtf16(std::u16string_view units);

  // The text the engine compares.
  [[nodiscard]] TextView text() const { return text_; }

  // The code point of the text as given that the unit at index unit of text()
  // belongs to; for text().size(), the given text's length in code points. A
  // lone surrogate counts as one code point.
  [[nodiscard]] std::size_t CodePointOf(std::size_t unit) const;

 private:
  Text text_;
  // The units of text_, ascending, that start no code point of the text as
  // given: the second unit of a surrogate pair, and the unit that a lone line
  // break gained.
  std::vector<std::uint32_t> continuations_;
};

}  // namespace velmoro
