#include "arguments.h"

#include <optional>
#include <vector>

namespace velmoro::cli {

namespace {

using Slots = std::array<std::optional<std::string>, 2>;

// What the options said, before the texts are assigned to their slots.
struct Options {
  std::optional<Command> command;
  bool json = false;
  bool explain = false;
  Slots paths;
  std::vector<std::string> texts;
};

bool IsOption(std::string_view arg) { return arg.size() > 1 && arg.starts_with('-'); }

std::optional<std::size_t> FileOptionSlot(std::string_view arg) {
  if (arg == "--file1") return 0;
  if (arg == "--file2") return 1;
  return std::nullopt;
}

// Takes the path behind the --fileN option at args[at]; moves at onto it.
void TakePath(std::span<const char* const> args, std::size_t& at, Slots& paths) {
  const std::string_view option = args[at];
  std::optional<std::string>& path = paths[*FileOptionSlot(option)];
  if (path) throw UsageError(std::string(option) + " is given twice");
  if (++at == args.size()) throw UsageError(std::string(option) + " needs a path");
  path = args[at];
}

// Reads one option at args[at]; moves at onto the last argument it used.
void ReadOption(std::span<const char* const> args, std::size_t& at, Options& options) {
  const std::string_view arg = args[at];
  if (arg == "--help") {
    options.command = Command::ShowHelp;
  } else if (arg == "--version") {
    options.command = Command::ShowVersion;
  } else if (arg == "--json") {
    options.json = true;
  } else if (arg == "--explain") {
    options.explain = true;
  } else if (FileOptionSlot(arg)) {
    TakePath(args, at, options.paths);
  } else {
    throw UsageError("unknown option '" + std::string(arg) +
                     "' (put -- in front of a text that begins with '-')");
  }
}

Options ReadOptions(std::span<const char* const> args) {
  Options options;
  bool optionsEnded = false;
  for (std::size_t at = 0; at < args.size() && !options.command; ++at) {
    const std::string_view arg = args[at];
    if (optionsEnded || !IsOption(arg)) {
      options.texts.emplace_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else {
      ReadOption(args, at, options);
    }
  }
  return options;
}

TextSource SourceOfSlot(const Options& options, std::size_t slot) {
  const bool hasText = slot < options.texts.size();
  const std::optional<std::string>& path = options.paths[slot];
  if (path && hasText) {
    throw UsageError(TextName(slot) + " is given both by --file" + std::to_string(slot + 1) +
                     " and as the " + (slot == 0 ? "first" : "second") + " text argument");
  }
  if (path) return {TextSource::Kind::File, *path};
  if (hasText) return {TextSource::Kind::Argument, options.texts[slot]};
  throw UsageError(TextName(slot) + " is missing");
}

std::array<TextSource, 2> AssignTexts(const Options& options) {
  if (options.texts.size() > 2) {
    throw UsageError("too many texts: '" + options.texts[2] + "' would be the third");
  }
  if (options.paths[0] == kStandardInputPath && options.paths[1] == kStandardInputPath) {
    throw UsageError("only one text can come from standard input");
  }
  return {SourceOfSlot(options, 0), SourceOfSlot(options, 1)};
}

}  // namespace

std::string TextName(std::size_t slot) { return "text " + std::to_string(slot + 1); }

Arguments ParseArguments(std::span<const char* const> argv) {
  const Options options = ReadOptions(argv.empty() ? argv : argv.subspan(1));
  Arguments arguments;
  if (options.command) {
    arguments.command = *options.command;
    return arguments;
  }
  arguments.json = options.json;
  arguments.explain = options.explain;
  arguments.texts = AssignTexts(options);
  return arguments;
}

std::string_view UsageText() {
  return R"(Usage: velmoro-cli [--json] [--explain] TEXT1 TEXT2
       velmoro-cli [--json] [--explain] --file1 PATH --file2 PATH
Tells how far apart two texts are. Prints, for each direction, the self-score
(STD) and the cross-score (#), then the result, which is 0 for equal texts.

  TEXT1 TEXT2    the texts themselves, Text1 first
  --file1 PATH   Text1 from the UTF-8 file at PATH instead of TEXT1
                 ('-': standard input)
  --file2 PATH   Text2 likewise instead of TEXT2; only one text can come
                 from standard input
  --json         print one JSON object instead of the rows
  --explain      also show, for each direction, every word walked: where it
                 stands, where it was found (in code points from 0) and what
                 it earned
  --             every later argument is a text, even one beginning with '-'
  --help         print this help and exit
  --version      print the version and exit

A file's final line break is dropped; every other line break is kept.
Exit status: 0 done, 1 the comparison ended in an error, 2 bad usage or input.
)";
}

}  // namespace velmoro::cli
