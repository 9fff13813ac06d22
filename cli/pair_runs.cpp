#include "pair_runs.h"

#include <simdjson.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "escaped_text.h"
#include "velmoro/fronts.h"
#include "line_source.h"
#include "ordered_work.h"
#include "report.h"
#include "run_summary.h"
#include "text_input.h"

namespace velmoro::cli {

namespace {

// About this much input makes one chunk of work: a few milliseconds of it.
constexpr std::size_t kChunkBytes = std::size_t{256} << 10;
// A batch line can hold two texts of the most size, each character of them
// written as a six-byte escape at worst.
constexpr std::size_t kLongestBatchLine = 2 * 6 * kTextLimitBytes + 4096;

// How a run writes each pair.
struct RecordForm {
  bool json = true;
  bool explain = false;
};

struct ChunkResult {
  std::string out;
  RunSummary summary;
  std::size_t lines = 0;
};

// One pair as read from its line, or why it could not be read.
struct PairLine {
  std::size_t line = 0;
  std::string_view text1;
  std::string_view text2;
  std::optional<std::string_view> id;  // raw JSON
  std::optional<std::string> problem;
};

// A plain row of --lines: the line number, the four scores ("-" where a
// direction did not complete), then the result or the error's kind.
void AppendPlainRow(std::string& out, std::size_t line, const Comparison& comparison) {
  out += std::to_string(line);
  for (const std::optional<int>& score : comparison.scores) {
    out += '\t';
    out += score ? std::to_string(*score) : "-";
  }
  out += '\t';
  out += comparison.error ? std::string(ErrorKindName(*comparison.error))
                          : *comparison.result_text;
  out += '\n';
}

void AppendProblem(ChunkResult& result, const PairLine& pair, RecordForm form) {
  result.summary.AddInputError();
  if (form.json) {
    AppendInputErrorRecord(result.out, pair.line, pair.id, *pair.problem);
  } else {
    result.out += std::to_string(pair.line) + "\tinput error: " + *pair.problem + '\n';
  }
}

// The first problem of the two texts, naming the text.
std::optional<std::string> TextsProblem(const PairLine& pair, Utf8Checked checked) {
  const std::array<std::string_view, 2> texts = {pair.text1, pair.text2};
  for (std::size_t slot = 0; slot < texts.size(); ++slot) {
    if (auto problem = TextProblem(texts[slot], checked)) return TextName(slot) + ' ' + *problem;
  }
  return std::nullopt;
}

void CompareInto(ChunkResult& result, PairLine pair, RecordForm form, Utf8Checked checked) {
  ++result.lines;
  if (!pair.problem) pair.problem = TextsProblem(pair, checked);
  if (pair.problem) {
    AppendProblem(result, pair, form);
    return;
  }
  const GivenText text1 = GivenText::FromUtf8(pair.text1);
  const GivenText text2 = GivenText::FromUtf8(pair.text2);
  WalkRecord walks;
  const Comparison comparison = CompareGivenTexts(text1, text2, form.explain ? &walks : nullptr);
  result.summary.AddComparison(comparison);
  if (!form.json) {
    AppendPlainRow(result.out, pair.line, comparison);
    return;
  }
  RecordExtras extras{pair.line, pair.id};
  if (form.explain) extras = {pair.line, pair.id, &walks, &text1, &text2};
  AppendJsonRecord(result.out, comparison, extras);
}

// --- batch

std::string JsonProblem(simdjson::error_code error) {
  return std::string("not a JSON object with \"text1\" and \"text2\": ") +
         simdjson::error_message(error);
}

// Reads the object of one batch line into pair. The texts and the id stay
// views into parser's buffers, and into idText, until they are used again.
// simdjson's DOM parser picks the fastest kernel the processor has when it
// runs.
void ReadBatchLine(simdjson::dom::parser& parser, std::string_view line, std::string& idText,
                   PairLine& pair) {
  simdjson::dom::object object;
  if (const auto error = parser.parse(line.data(), line.size(), false).get(object)) {
    pair.problem = JsonProblem(error);
    return;
  }
  std::array<std::optional<std::string_view>, 2> texts;
  for (const auto [key, value] : object) {
    if (key == "id") {
      idText = simdjson::minify(value);
      pair.id = idText;
    } else if (key == "text1" || key == "text2") {
      std::string_view text;
      if (value.get_string().get(text) == simdjson::SUCCESS) {
        texts[key == "text1" ? 0 : 1] = text;
      } else if (!pair.problem) {
        pair.problem = "\"" + std::string(key) + "\" is not a string";
      }
    }
  }
  if (pair.problem) return;
  if (!texts[0] || !texts[1]) {
    pair.problem = texts[0] ? "\"text2\" is missing" : "\"text1\" is missing";
    return;
  }
  pair.text1 = *texts[0];
  pair.text2 = *texts[1];
}

// The lines of a chunk are followed by its padding, which the parser may
// read past a line's end.
ChunkResult WorkOnBatch(const LineChunk& chunk, RecordForm form, bool resultsKept) {
  // One parser a thread: it keeps its buffers from line to line.
  thread_local simdjson::dom::parser parser;
  std::string idText;
  ChunkResult result{{}, RunSummary(resultsKept)};
  result.out.reserve(chunk.bytes.size() * 2);
  for (const Line& line : chunk.lines) {
    PairLine pair;
    pair.line = line.number;
    if (line.tooLong) {
      pair.problem = "the line is longer than two texts of 16 MiB can make it";
    } else {
      ReadBatchLine(parser, chunk.TextOf(line), idText, pair);
    }
    CompareInto(result, std::move(pair), form, Utf8Checked::Yes);
  }
  return result;
}

// --- lines

// The lines of a regular file, counted before any work; nullopt for a
// stream, which can be read only once.
std::optional<std::size_t> CountedLines(const std::string& path) {
  struct stat status {};
  if (path == kStandardInputPath || ::stat(path.c_str(), &status) != 0 ||
      !S_ISREG(status.st_mode)) {
    return std::nullopt;
  }
  LineSource source(path, Quoted(path), kTextLimitBytes);
  LineChunk chunk;
  std::size_t lines = 0;
  while (source.Next(chunk, kChunkBytes * 4)) lines += chunk.lines.size();
  return lines;
}

void RefuseUnequalLines(const std::array<std::string, 2>& paths) {
  const std::optional<std::size_t> lines1 = CountedLines(paths[0]);
  const std::optional<std::size_t> lines2 = CountedLines(paths[1]);
  if (lines1 && lines2 && *lines1 != *lines2) {
    throw InputError("--lines needs files of equal line counts: " + Quoted(paths[0]) + " has " +
                     std::to_string(*lines1) + ", " + Quoted(paths[1]) + " has " +
                     std::to_string(*lines2));
  }
}

using LinePair = std::array<LineChunk, 2>;

std::optional<std::string> LineProblem(const Line& line, const std::string& path) {
  if (!line.tooLong) return std::nullopt;
  return "line " + std::to_string(line.number) + " of " + Quoted(path) +
         " is longer than 16 MiB, the most velmoro-cli reads for one text";
}

ChunkResult WorkOnLines(const LinePair& chunks, const std::array<std::string, 2>& paths,
                        RecordForm form, bool resultsKept) {
  ChunkResult result{{}, RunSummary(resultsKept)};
  for (std::size_t i = 0; i < chunks[0].lines.size(); ++i) {
    const Line& line1 = chunks[0].lines[i];
    const Line& line2 = chunks[1].lines[i];
    PairLine pair{line1.number, chunks[0].TextOf(line1), chunks[1].TextOf(line2), std::nullopt,
                  LineProblem(line1, paths[0])};
    if (!pair.problem) pair.problem = LineProblem(line2, paths[1]);
    CompareInto(result, std::move(pair), form, Utf8Checked::No);
  }
  return result;
}

// --- the run

unsigned JobsOf(const CommandLine& command) {
  if (command.jobs > 0) return command.jobs;
  return std::max(1U, std::thread::hardware_concurrency());
}

bool ProgressShown(Progress progress) {
  if (progress == Progress::Never) return false;
  return progress == Progress::Always || ::isatty(STDERR_FILENO) == 1;
}

// Runs the chunks that next reads through work, writing each result out in
// order, and ends with the summary where it is asked for.
template <typename Chunk, typename Next, typename Work>
int RunChunks(const CommandLine& command, Output& output, Next next, Work work) {
  const bool summaryShown = command.stats || ::isatty(STDOUT_FILENO) == 1;
  RunSummary summary(summaryShown);
  ProgressLine progress(ProgressShown(command.progress));
  std::size_t lines = 0;
  RunInOrder<Chunk>(
      JobsOf(command), next, [&](Chunk& chunk) { return work(chunk, summaryShown); },
      [&](ChunkResult& result) {
        output.Write(result.out);
        summary.Add(result.summary);
        lines += result.lines;
        progress.Update(lines);
      });
  output.Flush();
  progress.Finish(lines);
  if (summaryShown) std::fputs(summary.Text(progress.Seconds()).c_str(), stderr);
  return summary.inputErrors() == 0 ? 0 : 2;
}

int RunBatch(const CommandLine& command, Output& output) {
  const std::string description = command.batchPath == kStandardInputPath
                                      ? std::string("standard input")
                                      : Quoted(command.batchPath);
  LineSource source(command.batchPath, description, kLongestBatchLine, simdjson::SIMDJSON_PADDING);
  const RecordForm form{true, command.explain};
  return RunChunks<LineChunk>(
      command, output, [&](LineChunk& chunk) { return source.Next(chunk, kChunkBytes); },
      [form](const LineChunk& chunk, bool kept) { return WorkOnBatch(chunk, form, kept); });
}

int RunLines(const CommandLine& command, Output& output) {
  const std::array<std::string, 2>& paths = command.linesPaths;
  RefuseUnequalLines(paths);
  std::array<LineSource, 2> sources = {
      LineSource(paths[0], Quoted(paths[0]), kTextLimitBytes),
      LineSource(paths[1], Quoted(paths[1]), kTextLimitBytes)};
  const RecordForm form{command.json, command.explain};
  const auto next = [&](LinePair& chunks) {
    const bool more = sources[0].Next(chunks[0], kChunkBytes / 2);
    const std::size_t lines = more ? chunks[0].lines.size() : 1;
    const bool moreOf2 = sources[1].Next(chunks[1], kChunkBytes * 64, lines);
    if (more != moreOf2 || (more && chunks[1].lines.size() != lines)) {
      throw InputError("--lines needs files of equal line counts: " + Quoted(paths[0]) + " and " +
                       Quoted(paths[1]) + " differ");
    }
    return more;
  };
  return RunChunks<LinePair>(command, output, next, [&](const LinePair& chunks, bool kept) {
    return WorkOnLines(chunks, paths, form, kept);
  });
}

}  // namespace

int RunPairs(const CommandLine& command, Output& output) {
  return command.mode == Mode::Batch ? RunBatch(command, output) : RunLines(command, output);
}

}  // namespace velmoro::cli
