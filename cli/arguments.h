#pragma once

// The command line of velmoro-cli: what to do, whether to print JSON, and
// where each of the two texts comes from. Parsing only; nothing is read here.

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmoro::cli {

// The path that stands for standard input.
inline constexpr std::string_view kStandardInputPath = "-";

// Where a text comes from: the argument itself, or the file at a path.
struct TextSource {
  enum class Kind { Argument, File };
  Kind kind = Kind::Argument;
  std::string value;  // the text itself, or the path
};

enum class Command { Compare, ShowHelp, ShowVersion };

struct Arguments {
  Command command = Command::Compare;
  bool json = false;
  bool explain = false;
  std::array<TextSource, 2> texts;  // Text1 and Text2; set for Compare only
};

// "text 1" or "text 2": how messages name the slot (0 or 1) of a text.
[[nodiscard]] std::string TextName(std::size_t slot);

// A command line that names no valid command; the message says what is wrong.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses argv as main receives it; argv[0], the program name, is skipped.
// The first positional argument is Text1 and the second Text2, unless
// --file1 or --file2 gives that text instead ("-" for standard input). After
// "--" every argument is a text, even one that begins with "-"; a lone "-" is
// a text anywhere. --help and --version win as soon as they are met; what
// follows them is not looked at. Throws UsageError for an unknown option, an
// option without its path, a text given twice or not at all, a third text, or
// standard input named for both texts.
[[nodiscard]] Arguments ParseArguments(std::span<const char* const> argv);

// What --help prints.
[[nodiscard]] std::string_view UsageText();

}  // namespace velmoro::cli
