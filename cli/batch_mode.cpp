#include "batch_mode.h"

#include <array>
#include <string>

#include "batch_line.h"
#include "escaped_text.h"
#include "line_source.h"
#include "pair_run.h"
#include "size_limits.h"

namespace velmoro::cli {

namespace {

ChunkResult WorkOnBatch(const LineChunk& chunk, const PairWork& work, bool resultsKept) {
  ChunkResult result(resultsKept);
  result.out.reserve(chunk.bytes.size() * 2);
  std::array<std::string, 2> decoded;
  for (const Line& line : chunk.lines) {
    PairLine pair;
    pair.line = line.number;
    if (line.tooLong) {
      pair.problem = "the line is longer than two texts of " + TextLimitText() + " can make it";
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
  BatchSource source(command.batchPath);
  const PairWork work(writer, command.explain, Utf8Checked::Yes);
  return RunChunks<LineChunk>(command, output, source, work,
                              [&work](const LineChunk& chunk, bool resultsKept) {
                                return WorkOnBatch(chunk, work, resultsKept);
                              });
}

}  // namespace velmoro::cli
