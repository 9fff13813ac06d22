#include "pair_run.h"

#include <array>
#include <new>
#include <signal.h>

#include "velmoro/directions.h"

namespace velmoro::cli {

namespace {

// The workers jobs asks for: the reading thread does the work of one job.
unsigned WorkersFor(unsigned jobs) { return jobs > 1 ? jobs : 0; }

// An explanation of texts this long or longer is streamed: its record grows
// with the words walked, to hundreds of megabytes for texts of the most size.
constexpr std::size_t kStreamedPairBytes = std::size_t{1} << 20;

// The first problem of the two texts, naming the text.
std::optional<std::string> TextsProblem(const PairLine& pair, Utf8Checked checked) {
  const std::array<std::string_view, 2> texts = {pair.text1, pair.text2};
  for (std::size_t slot = 0; slot < texts.size(); ++slot) {
    if (auto problem = TextProblem(texts[slot], checked)) {
      return TextName(static_cast<int>(slot) + 1) + ' ' + *problem;
    }
  }
  return std::nullopt;
}

}  // namespace

void PairWork::CompareInto(ChunkResult& result, PairLine pair) const {
  ++result.lines;
  result.last_line = pair.line;
  if (!pair.problem) pair.problem = TextsProblem(pair, checked_);
  if (pair.problem) {
    Refuse(result, pair, *pair.problem);
    return;
  }
  const std::size_t before = result.out.size();
  try {
    Compare(result, pair);
  } catch (const std::bad_alloc&) {
    result.out.resize(before);
    Refuse(result, pair, kOutOfMemory);
  }
}

void PairWork::Compare(ChunkResult& result, const PairLine& pair) const {
  if (explain_ && pair.text1.size() + pair.text2.size() >= kStreamedPairBytes) {
    result.streamed.push_back({result.out.size(), pair.line, std::string(pair.text1),
                               std::string(pair.text2),
                               pair.id ? std::optional<std::string>(*pair.id) : std::nullopt});
    return;
  }
  // A thread's two texts keep their memory from pair to pair.
  thread_local GivenText text1;
  thread_local GivenText text2;
  text1.AssignUtf8(pair.text1);
  text2.AssignUtf8(pair.text2);
  const RecordPlace place{pair.line, pair.id};
  if (!explain_ && WriteNumbers(result, place, text1, text2)) return;
  WalkRecord walks;
  const Comparison comparison = CompareGivenTexts(text1, text2, explain_ ? &walks : nullptr);
  const WalkedTexts walked{walks, text1, text2};
  writer_.WriteComparison(result.out, place, comparison, explain_ ? &walked : nullptr, [] {});
  result.summary.AddComparison(comparison.error, comparison.distance);
}

// A record is written from the numbers alone, an error's too, so that no pair
// is compared twice; false for a form that writes whole Comparisons only.
bool PairWork::WriteNumbers(ChunkResult& result, const RecordPlace& place,
                            const GivenText& text1, const GivenText& text2) const {
  const CompareNumbers numbers = CompareGivenNumbers(text1, text2);
  if (!writer_.WriteNumbers(result.out, place, numbers)) return false;
  result.summary.AddComparison(numbers.error, numbers.distance);
  return true;
}

void PairWork::Refuse(ChunkResult& result, const PairLine& pair, std::string_view why) const {
  result.summary.AddInputError();
  writer_.WriteInputError(result.out, {pair.line, pair.id}, why);
}

void PairWork::Write(ChunkResult& result, Output& output, RunSummary& summary) const {
  const std::string_view out = result.out;
  std::size_t written = 0;
  for (const StreamedPair& pair : result.streamed) {
    output.Write(out.substr(written, pair.at - written));
    written = pair.at;
    Stream(pair, output, summary);
  }
  output.Write(out.substr(written));
}

void PairWork::Stream(const StreamedPair& pair, Output& output, RunSummary& summary) const {
  const RecordPlace place{pair.line, pair.id};
  try {
    const GivenText text1 = GivenText::FromUtf8(pair.text1);
    const GivenText text2 = GivenText::FromUtf8(pair.text2);
    WalkRecord walks;
    const Comparison comparison = CompareGivenTexts(text1, text2, &walks);
    const WalkedTexts walked{walks, text1, text2};
    writer_.WriteComparison(output.buffer(), place, comparison, &walked,
                            [&output] { output.Drain(); });
    summary.AddComparison(comparison.error, comparison.distance);
  } catch (const std::bad_alloc&) {
    summary.AddInputError();
    writer_.WriteInputError(output.buffer(), place, kOutOfMemory);
  }
  output.Drain();
}

Outcome Stopped(std::size_t lastLine) {
  const bool interrupted = StopSignal() == SIGINT;
  Complain(std::string("stopped by ") + (interrupted ? "SIGINT" : "SIGTERM") +
           (lastLine == 0 ? ": no record was written"
                          : ": the output ends with the record of line " +
                                std::to_string(lastLine)));
  return interrupted ? Outcome::Interrupted : Outcome::Terminated;
}

pairs::Pool StartWorkers(unsigned jobs) {
  const unsigned workers = WorkersFor(jobs);
  if (workers == 0) return pairs::Pool(0);
  pairs::FitAllocatorToAddressLimit();
  const StopSignalsBlocked blocked;  // the reading thread alone takes them
  return pairs::Pool(workers);
}

void ReportWorkersShort(const pairs::Pool& workers, unsigned jobs) {
  if (workers.started() == WorkersFor(jobs)) return;
  Complain("only " + std::to_string(workers.started()) + " of the " + std::to_string(jobs) +
           " threads asked for could be started: the run goes on with " +
           (workers.workers() == 0 ? std::string("the reading thread alone")
                                   : std::to_string(workers.workers()) + " of them"));
}

}  // namespace velmoro::cli
