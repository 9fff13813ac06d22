#pragma once

// The command line of velmoro-cli, read with CLI11: what to do, where the
// texts come from, and how to write what comes out. Parsing only; nothing is
// read or written here.

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

enum class Mode {
  Compare,      // one pair, from arguments or files
  Batch,        // JSON Lines of pairs
  Lines,        // two files, line i of each a pair
  ShowHelp,
  ShowVersion,
};

enum class Progress { Auto, Always, Never };

struct CommandLine {
  Mode mode = Mode::Compare;
  bool json = false;       // JSON output; always so for Batch
  bool explain = false;
  std::array<TextSource, 2> texts;          // Compare: Text1 and Text2
  std::string batch_path;                    // Batch: a path or "-"
  std::array<std::string, 2> lines_paths;    // Lines
  unsigned jobs = 0;                        // Batch and Lines; 0: every core
  bool stats = false;                       // Batch and Lines
  Progress progress = Progress::Auto;       // Batch and Lines
  std::string text;  // ShowHelp and ShowVersion: what to print
};

// A command line that names no valid command; the message says what is wrong,
// with every argument it shows quoted and escaped.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses argv as main receives it. Throws UsageError.
[[nodiscard]] CommandLine ParseCommandLine(std::span<const char* const> argv);

// Whether argv asks for JSON output, read without parsing, for reporting an
// error of the command line itself in the form asked for.
[[nodiscard]] bool AsksForJson(std::span<const char* const> argv);

}  // namespace velmoro::cli
