#pragma once

// Getting Text1 and Text2 from where the command line says: the argument
// itself, a UTF-8 file, or standard input.

#include <array>
#include <stdexcept>

#include "arguments.h"
#include "given_text.h"

namespace velmoro::cli {

// A text that cannot be had: a file that cannot be read, or bytes that are not
// well-formed UTF-8. The message names the text, its source and the problem.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text1 and Text2 from their sources. An argument is taken as it is. A file,
// or standard input for the path "-", is read whole and loses exactly one
// final line terminator ("\n" or "\r\n"), which ends its last line rather than
// belonging to the text; every other line break stays as it is, and an empty
// file gives the empty text. Throws InputError.
[[nodiscard]] std::array<GivenText, 2> LoadTexts(const std::array<TextSource, 2>& sources);

}  // namespace velmoro::cli
