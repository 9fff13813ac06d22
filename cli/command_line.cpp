#include "command_line.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "escaped_text.h"
#include "exit_status.h"
#include "size_limits.h"
#include "velmoro/directions.h"
#include "velmoro/pairs/pool.h"

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

// The footer up to the exit statuses, which come from their table; @LIMIT@
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

// The last of the help, after the exit statuses: a manual page made from the
// help holds every section that follows "Examples:" in its EXAMPLES.
constexpr std::string_view kExamples = R"(
Examples:
  velmoro-cli "the red bag" "a red bag"
                        two texts: a row of scores for each direction, then
                        the result
  velmoro-cli --json --explain --file1 a.txt --file2 b.txt
                        two files, as one JSON object with every word of
                        every direction
  velmoro-cli --batch pairs.jsonl > scores.jsonl
                        every pair of a JSON Lines file, on every core, one
                        record a line
  velmoro-cli --lines hypotheses.txt references.txt --stats
                        line i of one file against line i of the other, then
                        a summary
)";

std::string Footer() {
  std::string footer(kFooter);
  constexpr std::string_view kLimit = "@LIMIT@";
  footer.replace(footer.find(kLimit), kLimit.size(), TextLimitText());
  footer += "\nExit status:\n";
  for (const ExitStatusRow& row : kExitStatuses) {
    footer += "  " + std::to_string(row.status) + "  " + std::string(row.meaning) + '\n';
  }
  return footer + std::string(kExamples);
}

// The options of every mode as CLI11 collects them, unchecked: a value a use
// of an option, "" for a use without one, and "true" a use of a flag. What
// is wrong with them is told below, in words a user can act on.
struct Parsed {
  std::vector<std::string> texts;
  std::array<std::vector<std::string>, 2> files;
  std::vector<std::string> batch;  // "": standard input
  std::vector<std::string> lines;
  std::vector<std::string> jobs;
  std::vector<std::string> progress;
  std::vector<std::string> json;
  std::vector<std::string> explain;
  std::vector<std::string> stats;
};

// An option that takes up to most values, each use collected.
CLI::Option* AddValued(CLI::App& app, const std::string& name, std::vector<std::string>& values,
                       int most, const std::string& help, const std::string& typeName) {
  return app.add_option(name, values, help)
      ->expected(0, most)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->type_name(typeName);
}

void AddOptions(CLI::App& app, Parsed& parsed) {
  app.formatter(std::make_shared<HelpFormatter>());
  app.get_formatter()->column_width(24);
  app.add_option("TEXT", parsed.texts, "TEXT1, then TEXT2: the texts themselves")->type_name("");
  AddValued(app, "--file1", parsed.files[0], 1,
            "Text1 from the file at PATH ('-': standard input)", "PATH");
  AddValued(app, "--file2", parsed.files[1], 1, "Text2 likewise (one text at most from '-')",
            "PATH");
  app.add_flag("--json", parsed.json, "print one JSON object instead of the rows");
  app.add_flag("--explain", parsed.explain, "also show every word each direction walked");
  AddValued(app, "--batch", parsed.batch, 1,
            "compare the pairs of JSON Lines ('-', none: stdin)", "[PATH]");
  AddValued(app, "--lines", parsed.lines, 2, "compare line i of FILE1 with line i of FILE2",
            "FILE1 FILE2");
  AddValued(app, "-j,--jobs", parsed.jobs, 1,
            "threads for --batch and --lines (default: all cores)", "N");
  app.add_flag("--stats", parsed.stats, "end with a summary on standard error (also on a terminal)");
  AddValued(app, "--progress", parsed.progress, 1,
            "progress on standard error: auto (on a terminal), always or never", "WHEN");
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

void RefuseRepeats(const std::vector<std::string>& values, const std::string& name) {
  if (values.size() > 1) {
    throw UsageError(name + " is given " + std::to_string(values.size()) + " times: give it once");
  }
}

// The value of an option that takes one, nullopt when it is not given.
std::optional<std::string> ValueOf(const std::vector<std::string>& values, const std::string& name,
                                   const std::string& needs) {
  if (values.empty()) return std::nullopt;
  RefuseRepeats(values, name);
  if (values.front().empty()) throw UsageError(name + " needs " + needs + " right after it");
  return values.front();
}

bool FlagOf(const std::vector<std::string>& values, const std::string& name) {
  for (const std::string& value : values) {
    if (value != "true") throw UsageError(name + " takes no value, but was given " + Quoted(value));
  }
  return !values.empty();
}

unsigned JobsOf(const std::vector<std::string>& values) {
  const std::string range = "a number of threads from 1 to " + std::to_string(pairs::kMostThreads);
  const std::optional<std::string> given = ValueOf(values, "-j/--jobs", "N, " + range + ",");
  if (!given) return 0;
  unsigned jobs = 0;
  const char* end = given->data() + given->size();
  const auto [stop, error] = std::from_chars(given->data(), end, jobs);
  if (error != std::errc() || stop != end || jobs < 1 || jobs > pairs::kMostThreads) {
    throw UsageError("-j/--jobs takes " + range + ", not " + Quoted(*given));
  }
  return jobs;
}

Progress ProgressOf(const std::vector<std::string>& values) {
  constexpr std::array<std::pair<std::string_view, Progress>, 3> kWhens{
      {{"auto", Progress::Auto}, {"always", Progress::Always}, {"never", Progress::Never}}};
  const std::optional<std::string> when =
      ValueOf(values, "--progress", "WHEN: auto, always or never,");
  if (!when) return Progress::Auto;
  for (const auto& [name, progress] : kWhens) {
    if (*when == name) return progress;
  }
  throw UsageError("--progress takes auto, always or never, not " + Quoted(*when));
}

bool IsStandardInput(const std::optional<std::string>& path) { return path == kStandardInputPath; }

std::array<TextSource, 2> AssignTexts(const Parsed& parsed) {
  const std::array<std::optional<std::string>, 2> files = {
      ValueOf(parsed.files[0], "--file1", "the PATH of text 1"),
      ValueOf(parsed.files[1], "--file2", "the PATH of text 2")};
  if (parsed.texts.size() > 2) {
    throw UsageError("too many texts: " + Quoted(parsed.texts[2]) + " would be the third");
  }
  if (IsStandardInput(files[0]) && IsStandardInput(files[1])) {
    throw UsageError("only one text can come from standard input");
  }
  std::array<TextSource, 2> sources;
  std::size_t nextText = 0;
  for (std::size_t slot = 0; slot < sources.size(); ++slot) {
    if (files[slot]) {
      sources[slot] = {TextSource::Kind::File, *files[slot]};
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

// What only a batch or line-aligned run takes, refused elsewhere.
void RefuseBatchOptions(const Parsed& parsed) {
  if (!parsed.jobs.empty() || !parsed.stats.empty() || !parsed.progress.empty()) {
    throw UsageError("--jobs, --stats and --progress go with --batch or --lines");
  }
}

std::string BatchPathOf(const Parsed& parsed) {
  RefuseRepeats(parsed.batch, "--batch");
  if (!parsed.texts.empty()) {
    throw UsageError("--batch reads its pairs from one file, so " + Quoted(parsed.texts.front()) +
                     " has no place here (to read several, join them: cat FILE... | "
                     "velmoro-cli --batch)");
  }
  const std::string& path = parsed.batch.front();
  return path.empty() ? std::string(kStandardInputPath) : path;
}

std::array<std::string, 2> LinesPathsOf(const Parsed& parsed) {
  std::vector<std::string> paths;
  for (const std::string& path : parsed.lines) {
    if (!path.empty()) paths.push_back(path);
  }
  if (paths.size() != 2) {
    throw UsageError("--lines needs two files right after it, FILE1 and FILE2" +
                     (paths.empty() ? std::string() : ", but has only " + Quoted(paths.front())));
  }
  if (!parsed.texts.empty()) {
    throw UsageError("--lines compares two files, FILE1 and FILE2, so " +
                     Quoted(parsed.texts.front()) + " has no place here");
  }
  return {paths[0], paths[1]};
}

CommandLine BatchOrLines(const Parsed& parsed, CommandLine command) {
  if (!parsed.batch.empty() && !parsed.lines.empty()) {
    throw UsageError("--batch and --lines cannot be given together");
  }
  if (!parsed.files[0].empty() || !parsed.files[1].empty()) {
    throw UsageError("--batch and --lines read the texts of their pairs from their own input, "
                     "so --file1 and --file2 have no place beside them");
  }
  if (!parsed.batch.empty()) {
    command.mode = Mode::Batch;
    command.json = true;
    command.batch_path = BatchPathOf(parsed);
  } else {
    command.mode = Mode::Lines;
    command.lines_paths = LinesPathsOf(parsed);
    if (command.explain && !command.json) throw UsageError("--explain with --lines needs --json");
  }
  command.jobs = JobsOf(parsed.jobs);
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
  command.json = FlagOf(parsed.json, "--json");
  command.explain = FlagOf(parsed.explain, "--explain");
  command.stats = FlagOf(parsed.stats, "--stats");
  if (!parsed.batch.empty() || !parsed.lines.empty()) {
    return BatchOrLines(parsed, std::move(command));
  }
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
