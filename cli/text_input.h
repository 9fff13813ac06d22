#pragma once

// Getting Text1 and Text2 from where the command line says: the argument
// itself, a UTF-8 file, or standard input; and the checks every text passes,
// whether it comes whole or as a line of a batch. A text is at most
// kTextLimitBytes, holds no NUL byte (a file with one is binary) and is well-formed UTF-8; a
// file is checked as it is read, so that a wrong one is refused at once.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "command_line.h"
#include "velmoro/fronts.h"
#include "input_file.h"

namespace velmoro::cli {

// Whether bytes are already known to be well-formed UTF-8, as a JSON parser
// makes sure of the strings it gives.
enum class Utf8Checked { No, Yes };

// What is wrong with bytes as a text, as the rest of a sentence that names
// the text ("holds a NUL byte at byte 3: ..."); nullopt when nothing is.
[[nodiscard]] std::optional<std::string> TextProblem(std::string_view bytes,
                                                     Utf8Checked checked = Utf8Checked::No);

// What is wrong with bytes as UTF-8, as the rest of a sentence that names
// them ("is not valid UTF-8: ..."); nullopt when nothing is.
[[nodiscard]] std::optional<std::string> Utf8Problem(std::string_view bytes);

// Text1 and Text2 from their sources. An argument is taken as it is. A file,
// or standard input for the path "-", is read whole, loses a UTF-8 byte order
// mark at its start and exactly one final line break ("\r\n", "\n" or "\r"),
// which ends its last line rather than belonging to the text; an empty file
// gives the empty text. Throws InputError, and UsageError for one stream, such
// as standard input, named for both texts.
[[nodiscard]] std::array<GivenText, 2> LoadTexts(const std::array<TextSource, 2>& sources);

}  // namespace velmoro::cli
