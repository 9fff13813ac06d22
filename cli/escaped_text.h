#pragma once

// Text from the user shown back to the user on a terminal: control
// characters are written as escapes, so that a line break or an escape
// sequence in a file name or a word cannot break the line it is shown in.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmoro::cli {

// utf8 with each control character (U+0000 to U+001F and U+007F) written as
// \t, \n, \r or \xHH, each byte that is no part of well-formed UTF-8 (a file
// name in another encoding) as \xHH, and each backslash as \\: the result is
// always well-formed UTF-8.
[[nodiscard]] std::string Escaped(std::string_view utf8);

// utf8, escaped, between single quotes.
[[nodiscard]] std::string Quoted(std::string_view utf8);

// The columns well-formed utf8 takes on a terminal: none for a combining mark
// or a character of no width, two for an East Asian wide or fullwidth
// character or an emoji, one for any other code point.
[[nodiscard]] std::size_t DisplayWidth(std::string_view utf8);

}  // namespace velmoro::cli
