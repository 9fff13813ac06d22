#include "lines_mode.h"

#include <sys/stat.h>

#include <array>
#include <optional>
#include <string>

#include "escaped_text.h"
#include "line_source.h"
#include "pair_run.h"
#include "size_limits.h"
#include "stop_signals.h"

namespace velmoro::cli {

namespace {

using LinePair = std::array<LineChunk, 2>;

std::string Unequal(const std::array<std::string, 2>& paths) {
  return "--lines needs files of equal line counts: " + Quoted(paths[0]) + " and " +
         Quoted(paths[1]) + " differ";
}

// The lines of a regular file, counted before any work; nullopt for a
// stream, which can be read only once.
std::optional<std::size_t> CountedLines(const std::string& path) {
  struct stat status {};
  if (path == kStandardInputPath || ::stat(path.c_str(), &status) != 0 ||
      !S_ISREG(status.st_mode)) {
    return std::nullopt;
  }
  LineSource source(path, Quoted(path), LineEnds::AnyBreak, kTextLimitBytes);
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

// Both files from one stream would take turns at its lines.
void RefuseOneStreamTwice(const std::array<std::string, 2>& paths) {
  const bool standardInput = IsStandardInput(paths[0]);
  const bool bothStandardInput = standardInput && IsStandardInput(paths[1]);
  if (!bothStandardInput && !SameStream(paths[0], paths[1])) return;
  throw UsageError("--lines needs two files, but " + Quoted(paths[0]) + " and " +
                   Quoted(paths[1]) + " are one stream" +
                   (standardInput ? " (standard input)" : "") + ", which can be read only once");
}

std::optional<std::string> LineProblem(const Line& line, const std::string& path) {
  if (line.fault == LineFault::None) return std::nullopt;
  const std::string name = "line " + std::to_string(line.number) + " of " + Quoted(path);
  if (line.fault != LineFault::TooLong) return name + ' ' + LineFaultProblem(line);
  return name + " is longer than " + TextLimitText() + ", the most velmoro-cli reads for one text";
}

ChunkResult WorkOnLines(const LinePair& chunks, const std::array<std::string, 2>& paths,
                        const PairWork& work, bool resultsKept) {
  ChunkResult result(resultsKept);
  for (std::size_t i = 0; i < chunks[0].lines.size(); ++i) {
    const Line& line1 = chunks[0].lines[i];
    const Line& line2 = chunks[1].lines[i];
    PairLine pair{line1.number, chunks[0].TextOf(line1), chunks[1].TextOf(line2), std::nullopt,
                  LineProblem(line1, paths[0])};
    if (!pair.problem) pair.problem = LineProblem(line2, paths[1]);
    work.CompareInto(result, std::move(pair));
  }
  return result;
}

// The lines of the two files side by side, a chunk at a time.
class LinesSource {
 public:
  explicit LinesSource(const std::array<std::string, 2>& paths)
      : paths_(paths),
        sources_{LineSource(paths[0], Quoted(paths[0]), LineEnds::AnyBreak, kTextLimitBytes),
                 LineSource(paths[1], Quoted(paths[1]), LineEnds::AnyBreak, kTextLimitBytes)} {}

  // As many lines of the second file as the first gives. A stop cuts the
  // reading short, which says nothing of the files' line counts.
  bool Next(LinePair& chunks) {
    const bool more = sources_[0].Next(chunks[0], kChunkBytes / 2);
    const std::size_t lines = more ? chunks[0].lines.size() : 1;
    const bool moreOf2 = sources_[1].Next(chunks[1], kChunkBytes * 64, lines);
    if (StopSignal() != 0) return false;
    if (more != moreOf2 || (more && chunks[1].lines.size() != lines)) {
      throw InputError(Unequal(paths_));
    }
    return more;
  }

  [[nodiscard]] bool WouldWait() const { return sources_[0].WouldWait(); }

 private:
  const std::array<std::string, 2>& paths_;
  std::array<LineSource, 2> sources_;
};

}  // namespace

Outcome RunLines(const Command& command, const RecordWriter& writer, Output& output) {
  const std::array<std::string, 2>& paths = command.lines_paths;
  RefuseOneStreamTwice(paths);
  RefuseUnequalLines(paths);
  LinesSource source(paths);
  const PairWork work(writer, command.explain, Utf8Checked::No);
  return RunChunks<LinePair>(command, output, source, work,
                             [&](const LinePair& chunks, bool resultsKept) {
                               return WorkOnLines(chunks, paths, work, resultsKept);
                             });
}

}  // namespace velmoro::cli
