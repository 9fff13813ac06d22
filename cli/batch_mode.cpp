#include "batch_mode.h"

#include <algorithm>
#include <array>
#include <string>

#include "batch_line.h"
#include "escaped_text.h"
#include "line_source.h"
#include "pair_run.h"
#include "size_limits.h"

namespace velmoro::cli {

namespace {

// Why a line that the source did not keep has no pair.
std::string NotKeptProblem(const Line& line) {
  if (line.fault == LineFault::TooLong) {
    return "the line is longer than two texts of " + TextLimitText() + " can make it";
  }
  return "the line " + LineFaultProblem(line);
}

ChunkResult WorkOnBatch(const LineChunk& chunk, const PairWork& work, bool resultsKept) {
  ChunkResult result(resultsKept);
  // A record takes about as much room as a short line, and a long line's no
  // more.
  result.out.reserve(std::min(chunk.bytes.size(), kChunkBytes) * 2);
  std::array<std::string, 2> decoded;
  for (const Line& line : chunk.lines) {
    PairLine pair;
    pair.line = line.number;
    if (line.fault != LineFault::None) {
      pair.problem = NotKeptProblem(line);
    } else if (IsBlankLine(chunk.TextOf(line))) {
      ++result.lines;
      result.summary.AddBlankLine();
      continue;
    } else {
      ReadBatchLine(chunk.TextOf(line), pair, decoded);
    }
    work.CompareInto(result, std::move(pair));
  }
  return result;
}

// The lines of a batch, a chunk at a time.
class BatchSource {
 public:
  explicit BatchSource(const std::string& path)
      : lines_(path, path == kStandardInputPath ? std::string("standard input") : Quoted(path),
               LineEnds::LineFeed, kLongestBatchLine) {}

  bool Next(LineChunk& chunk) { return lines_.Next(chunk, kChunkBytes); }
  [[nodiscard]] bool WouldWait() const { return lines_.WouldWait(); }

 private:
  LineSource lines_;
};

}  // namespace

Outcome RunBatch(const Command& command, const RecordWriter& writer, Output& output) {
  BatchSource source(command.batch_path);
  const PairWork work(writer, command.explain, Utf8Checked::Yes);
  return RunChunks<LineChunk>(command, output, source, work,
                              [&work](const LineChunk& chunk, bool resultsKept) {
                                return WorkOnBatch(chunk, work, resultsKept);
                              });
}

}  // namespace velmoro::cli
