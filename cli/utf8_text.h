#pragma once

// Conversion between UTF-8, the encoding of the command line, of the files
// read and of everything printed, and the engine's texts of 16-bit units
// (UTF-16). Decoding is strict: only well-formed UTF-8 as Unicode defines it
// passes, so overlong forms, encoded surrogates, code points past U+10FFFF,
// stray continuation bytes and cut-off sequences are rejected, not replaced.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text_primitives.h"

namespace velmoro::cli {

// Bytes that are not well-formed UTF-8.
class InvalidUtf8 : public std::runtime_error {
 public:
  explicit InvalidUtf8(std::size_t offset);

  // The index of the first byte of the ill-formed sequence.
  [[nodiscard]] std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// bytes as a Text: a code point up to U+FFFF as one unit, any other as a
// surrogate pair. Empty bytes give the empty text; a NUL byte is a character
// like any other. Throws InvalidUtf8 at the first ill-formed sequence.
[[nodiscard]] Text FromUtf8(std::string_view bytes);

// text in UTF-8. A lone surrogate, which no decoded text holds, becomes
// U+FFFD.
[[nodiscard]] std::string ToUtf8(TextView text);

}  // namespace velmoro::cli
