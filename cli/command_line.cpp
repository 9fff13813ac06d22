#include "command_line.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <vector>

#include "escaped_text.h"
#include "exit_status.h"
#include "size_limits.h"
#include "velmoro/directions.h"

namespace velmoro::cli {

namespace {

constexpr const char* kUsage =
    "Usage: velmoro-cli [--json] [--explain] TEXT1 TEXT2\n"
    "  or:  velmoro-cli [--json] [--explain] --file1 PATH --file2 PATH\n"
    "  or:  velmoro-cli --batch [PATH] [--explain] [-j N] [--stats]\n"
    "  or:  velmoro-cli --lines FILE1 FILE2 [--json [--explain]] [-j N] [--stats]\n";

constexpr const char* kDescription =
    "Tells how far apart two texts are. Prints, for each direction, the self-score\n"
    "(STD) and the cross-score (#), then the result, which is 0 for equal texts:\n"
    "the fourth root of the length factor, times the sum of the self-scores\n"
    "divided by the sum of the cross-scores, minus one.";

// The help begins with the usage lines, as a command's help does.
class HelpFormatter : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App*, std::string) const override { return {}; }
  std::string make_description(const CLI::App* app) const override {
    return std::string(kUsage) + '\n' + app->get_description() + '\n';
  }
  // An option's arguments as its type name says them, without CLI11's notes.
  std::string make_option_opts(const CLI::Option* option) const override {
    const std::string& name = option->get_type_name();
    return name.empty() ? std::string() : ' ' + name;
  }
};

// The footer, less the exit statuses, which come from their table; @LIMIT@
// stands for the size limit.
constexpr std::string_view kFooter = R"(
Texts:
  UTF-8. A file or standard input is read whole, at most @LIMIT@ a text; a
  byte order mark at its start and one final line break are dropped, and a
  file holding NUL bytes, UTF-16 or UTF-32 is refused. Texts are compared in
  Unicode's composed form (NFC), so that "é" typed as e and a combining
  accent matches "é" typed as one character, and every line break, whether CR
  LF, a lone LF or a lone CR, is compared as CR LF, so a text gives the same
  numbers whichever editor saved it; places in --explain count code points of
  the text as given, from 0, the end excluded.

Many pairs:
  Each line that --batch reads is one JSON object, {"text1": "...", "text2":
  "...", "id": any JSON value, optional}; for each, in order, it prints the
  object that --json prints for that pair, with "line" (from 1) and "id" when
  given, and for a line it cannot read {"line": n, "input_error": "why"}, and
  goes on; blank lines are skipped. "id" comes back exactly as written. With
  --lines, line i of FILE1 is compared with line i of FILE2, for files of
  equal line counts, any line break ending a line: after a header, one
  tab-separated row per line (its number, the cross-scores of 1-2 and 2-1,
  the self-scores of 1-2 and 2-1, "-" for a score not reached, then the
  result or the error's kind), or with --json the records of --batch.
  Output is the same for every number of jobs. SIGINT or SIGTERM stops a run
  at the end of a record.
)";

std::string Footer() {
  std::string footer(kFooter);
  constexpr std::string_view kLimit = "@LIMIT@";
  footer.replace(footer.find(kLimit), kLimit.size(), TextLimitText());
  footer += "\nExit status:\n";
  for (const ExitStatusRow& row : kExitStatuses) {
    footer += "  " + std::to_string(row.status) + "  " + std::string(row.meaning) + '\n';
  }
  return footer;
}

// The options of every mode, as CLI11 gives them.
struct Parsed {
  std::vector<std::string> texts;
  std::array<std::optional<std::string>, 2> files;
  bool batch = false;  // --batch given, with or without a path
  std::vector<std::string> batchPath;
  std::vector<std::string> lines;
  bool json = false;
  bool explain = false;
  std::optional<unsigned> jobs;
  bool stats = false;
  std::string progress = "auto";
};

void AddOptions(CLI::App& app, Parsed& parsed) {
  app.formatter(std::make_shared<HelpFormatter>());
  app.get_formatter()->column_width(24);
  app.add_option("TEXT", parsed.texts, "TEXT1, then TEXT2: the texts themselves")->type_name("");
  app.add_option("--file1", parsed.files[0], "Text1 from the file at PATH ('-': standard input)")
      ->type_name("PATH");
  app.add_option("--file2", parsed.files[1], "Text2 likewise (one text at most from '-')")
      ->type_name("PATH");
  app.add_flag("--json", parsed.json, "print one JSON object instead of the rows");
  app.add_flag("--explain", parsed.explain, "also show every word each direction walked");
  app.add_option("--batch", parsed.batchPath, "compare the pairs of JSON Lines ('-', none: stdin)")
      ->expected(0, 1)
      ->type_name("[PATH]");
  app.add_option("--lines", parsed.lines, "compare line i of FILE1 with line i of FILE2")
      ->expected(2)
      ->type_name("FILE1 FILE2");
  app.add_option("-j,--jobs", parsed.jobs, "threads for --batch and --lines (default: all cores)")
      ->check(CLI::Range(1U, 1024U).description(""))
      ->type_name("N");
  app.add_flag("--stats", parsed.stats, "end with a summary on standard error (also on a terminal)");
  app.add_option("--progress", parsed.progress,
                 "progress on standard error: auto (on a terminal), always or never")
      ->check(CLI::IsMember({"auto", "always", "never"}).description(""))
      ->type_name("WHEN");
  app.set_version_flag("-V,--version", "velmoro-cli " VELMORO_VERSION_TEXT);
  app.footer(Footer());
  // Unknown options are refused below, in words that quote them.
  app.allow_extras();
}

void RefuseExtras(const std::vector<std::string>& extras) {
  for (const std::string& extra : extras) {
    if (extra == "--") continue;
    throw UsageError("unknown option " + Quoted(extra) +
                     " (put -- in front of a text that begins with '-')");
  }
}

bool IsStandardInput(const std::optional<std::string>& path) { return path == kStandardInputPath; }

std::array<TextSource, 2> AssignTexts(const Parsed& parsed) {
  if (parsed.texts.size() > 2) {
    throw UsageError("too many texts: " + Quoted(parsed.texts[2]) + " would be the third");
  }
  if (IsStandardInput(parsed.files[0]) && IsStandardInput(parsed.files[1])) {
    throw UsageError("only one text can come from standard input");
  }
  std::array<TextSource, 2> sources;
  std::size_t nextText = 0;
  for (std::size_t slot = 0; slot < sources.size(); ++slot) {
    if (parsed.files[slot]) {
      sources[slot] = {TextSource::Kind::File, *parsed.files[slot]};
    } else if (nextText < parsed.texts.size()) {
      sources[slot] = {TextSource::Kind::Argument, parsed.texts[nextText++]};
    } else {
      throw UsageError(TextName(static_cast<int>(slot) + 1) + " is missing");
    }
  }
  if (nextText < parsed.texts.size()) {
    throw UsageError("a text is given both by --file1 or --file2 and as an argument: " +
                     Quoted(parsed.texts[nextText]));
  }
  return sources;
}

Progress ProgressOf(const std::string& when) {
  if (when == "always") return Progress::Always;
  if (when == "never") return Progress::Never;
  return Progress::Auto;
}

// What only a batch or line-aligned run takes, refused elsewhere.
void RefuseBatchOptions(const Parsed& parsed) {
  if (parsed.jobs || parsed.stats || parsed.progress != "auto") {
    throw UsageError("--jobs, --stats and --progress go with --batch or --lines");
  }
}

CommandLine BatchOrLines(const Parsed& parsed, CommandLine command) {
  if (!parsed.texts.empty() || parsed.files[0] || parsed.files[1]) {
    throw UsageError("--batch and --lines take no TEXT1, TEXT2, --file1 or --file2");
  }
  if (parsed.batch && !parsed.lines.empty()) {
    throw UsageError("--batch and --lines cannot be given together");
  }
  if (parsed.batch) {
    command.mode = Mode::Batch;
    command.json = true;
    const bool named = !parsed.batchPath.empty() && !parsed.batchPath.front().empty();
    command.batchPath = named ? parsed.batchPath.front() : std::string(kStandardInputPath);
  } else {
    command.mode = Mode::Lines;
    command.linesPaths = {parsed.lines[0], parsed.lines[1]};
    if (command.explain && !command.json) throw UsageError("--explain with --lines needs --json");
  }
  command.jobs = parsed.jobs.value_or(0);
  command.stats = parsed.stats;
  command.progress = ProgressOf(parsed.progress);
  return command;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> argv) {
  CLI::App app(kDescription, "velmoro-cli");
  Parsed parsed;
  AddOptions(app, parsed);
  CommandLine command;
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::CallForHelp&) {
    command.mode = Mode::ShowHelp;
    command.text = app.help();
    return command;
  } catch (const CLI::CallForVersion& version) {
    command.mode = Mode::ShowVersion;
    command.text = std::string(version.what()) + '\n';
    return command;
  } catch (const CLI::ParseError& error) {
    throw UsageError(Escaped(error.what()));
  }
  RefuseExtras(app.remaining());
  parsed.batch = app.count("--batch") > 0;
  command.json = parsed.json;
  command.explain = parsed.explain;
  if (parsed.batch || !parsed.lines.empty()) return BatchOrLines(parsed, std::move(command));
  RefuseBatchOptions(parsed);
  command.texts = AssignTexts(parsed);
  return command;
}

bool AsksForJson(std::span<const char* const> argv) {
  for (const char* arg : argv.subspan(argv.empty() ? 0 : 1)) {
    const std::string_view option(arg);
    if (option == "--") return false;
    if (option == "--json" || option.starts_with("--json=") || option == "--batch" ||
        option.starts_with("--batch=")) {
      return true;
    }
  }
  return false;
}

}  // namespace velmoro::cli
