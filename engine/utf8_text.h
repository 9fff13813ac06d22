#pragma once

// Conversion between UTF-8, the encoding of the command line, of files and of
// everything printed, and the engine's texts of 16-bit units (UTF-16).
// Decoding is strict: only well-formed UTF-8 as Unicode defines it passes, so
// overlong forms, encoded surrogates, code points past U+10FFFF, stray
// continuation bytes and cut-off sequences are rejected, not replaced.

#include <cstddef>
#include <string>
#include <string_view>

#include "text_primitives.h"
#include "velmoro/fronts.h"
#include "velmoro/velmoro.h"

namespace velmoro::internal {

[[nodiscard]] constexpr bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
[[nodiscard]] constexpr bool IsHighSurrogate(char16_t unit) { return IsSurrogate(unit) && unit < 0xDC00; }
[[nodiscard]] constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// How a sequence of bytes reads as UTF-8.
enum class Utf8Sequence { Whole, IllFormed, CutOff };

// WellFormedPrefix, for the checks of text read in pieces, is declared in
// velmoro/fronts.h.

// bytes as a Text: a code point up to U+FFFF as one unit, any other as a
// surrogate pair. Empty bytes give the empty text; a NUL byte is a character
// like any other. Throws InvalidUtf8 at the first ill-formed sequence.
[[nodiscard]] Text FromUtf8(std::string_view bytes);

// Writes bytes to units, one unit a byte, while they are ASCII other than
// CR and LF; false at the first byte that is not, with units written in part.
// units holds at least bytes.size() units.
[[nodiscard]] bool WidenPlainAscii(std::string_view bytes, char16_t* units);

// text in UTF-8. A lone surrogate, which no decoded text holds, becomes
// U+FFFD.
[[nodiscard]] std::string ToUtf8(TextView text);

}  // namespace velmoro::internal
