#pragma once

// What --batch and --lines share: a pair as read from its line, the work of
// comparing the pairs of a chunk into their records, and the run of the
// chunks on several threads with the output in input order, a summary and
// progress, and a clean stop on SIGINT or SIGTERM.

#include <concepts>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "complaint.h"
#include "exit_status.h"
#include "output.h"
#include "record_writer.h"
#include "run_summary.h"
#include "stop_signals.h"
#include "text_input.h"
#include "velmoro/pairs/in_order.h"

namespace velmoro::cli {

// About this much input makes one chunk of work: a few milliseconds of it.
inline constexpr std::size_t kChunkBytes = std::size_t{256} << 10;

// Why a pair that ran out of memory has no comparison.
inline constexpr std::string_view kOutOfMemory = "not enough memory for this pair";

// One pair as read from its line, or why it could not be read.
struct PairLine {
  std::size_t line = 0;
  std::string_view text1;
  std::string_view text2;
  std::optional<std::string_view> id;  // raw JSON
  std::optional<std::string> problem;
};

// A pair whose explanation is long enough to be streamed: compared by the
// thread that writes, when its record is due, rather than held whole.
struct StreamedPair {
  std::size_t at = 0;  // where its record stands in its chunk's out
  std::size_t line = 0;
  std::string text1;
  std::string text2;
  std::optional<std::string> id;
};

// The records of a chunk's pairs and what they add up to.
struct ChunkResult {
  explicit ChunkResult(bool resultsKept) : summary(resultsKept) {}

  std::string out;
  RunSummary summary;
  std::size_t lines = 0;     // lines of input, blank ones among them
  std::size_t last_line = 0;  // the line of the last record, 0 for none
  std::vector<StreamedPair> streamed;  // in the order of their places
};

// Compares pairs into the records of writer.
class PairWork {
 public:
  // checked: whether the texts are known to be well-formed UTF-8.
  PairWork(const RecordWriter& writer, bool explain, Utf8Checked checked)
      : writer_(writer), explain_(explain), checked_(checked) {}

  // Adds pair's record to result: its comparison, or why it could not be
  // read. A pair that runs out of memory gets a record that says so. A pair
  // whose explanation would be long is only noted in result.streamed.
  void CompareInto(ChunkResult& result, PairLine pair) const;

  // Writes what comes before the first record.
  void WriteHeader(Output& output) const { writer_.WriteHeader(output.buffer()); }

  // Writes result's records to output, streaming those of its long pairs.
  void Write(ChunkResult& result, Output& output, RunSummary& summary) const;

 private:
  void Stream(const StreamedPair& pair, Output& output, RunSummary& summary) const;
  void Compare(ChunkResult& result, const PairLine& pair) const;
  [[nodiscard]] bool WriteNumbers(ChunkResult& result, const RecordPlace& place,
                                  const GivenText& text1, const GivenText& text2) const;
  void Refuse(ChunkResult& result, const PairLine& pair, std::string_view why) const;

  const RecordWriter& writer_;
  bool explain_;
  Utf8Checked checked_;
};

// A source of chunks of lines: Next fills one, false at the end; WouldWait
// tells when the next would wait for input.
template <typename Source, typename Chunk>
concept ChunkSource = requires(Source source, Chunk& chunk) {
  { source.Next(chunk) } -> std::same_as<bool>;
  { source.WouldWait() } -> std::same_as<bool>;
};

// Says on standard error where a stopped run ended, and the outcome.
Outcome Stopped(std::size_t lastLine);

// The workers for jobs threads: none for one job, which the reading thread
// does itself. They leave SIGINT and SIGTERM to the reading thread.
pairs::Pool StartWorkers(unsigned jobs);

// Says on standard error when the system gave fewer threads than jobs asks
// for.
void ReportWorkersShort(const pairs::Pool& workers, unsigned jobs);

// Runs the chunks of source through work, writing each result out in order
// (and what is done whenever the source waits for input), and ends with the
// summary where it is asked for. Done, BadInput when a line could not be
// read, or the stop that SIGINT or SIGTERM asked for.
template <typename Chunk, typename Source, typename Work>
  requires ChunkSource<Source, Chunk>
Outcome RunChunks(const Command& command, Output& output, Source& source, const PairWork& pairs,
                  Work work) {
  const StopSignals stopOnSignal;
  RunSummary summary(command.summary_shown);
  ProgressLine progress(command.progress_shown, command.progress_shares_output);
  std::size_t lines = 0;
  std::size_t lastLine = 0;
  pairs.WriteHeader(output);
  pairs::Pool workers = StartWorkers(command.jobs);
  ReportWorkersShort(workers, command.jobs);
  pairs::RunInOrder<Chunk>(
      workers, [&](Chunk& chunk) { return StopSignal() == 0 && source.Next(chunk); },
      [&](Chunk& chunk) { return work(chunk, command.summary_shown); },
      [&](ChunkResult& result) {
        if (StopSignal() != 0) return;
        progress.Clear();
        summary.Add(result.summary);
        pairs.Write(result, output, summary);
        lines += result.lines;
        if (result.last_line != 0) lastLine = result.last_line;
        progress.Update(lines);
      },
      [&] { return source.WouldWait(); },
      [&] {
        progress.Clear();
        output.Flush();
      });
  progress.Clear();
  output.Flush();
  progress.Finish(lines);
  if (command.summary_shown) WriteToStandardError(summary.Text(progress.Seconds()));
  if (StopSignal() != 0) return Stopped(lastLine);
  return summary.inputErrors() == 0 ? Outcome::Done : Outcome::BadInput;
}

}  // namespace velmoro::cli
