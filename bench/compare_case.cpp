#include "compare_case.h"

#include <sys/resource.h>

#include <optional>
#include <utility>

namespace velmoro::bench {

using internal::CompareOutcome;
using internal::DisplayOf;
using internal::RunCompareAction;
using internal::Walks;

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

CompareOutcome Compare(const TextPair& pair, Walks* walks = nullptr) {
  ComparisonState state;
  return RunCompareAction(pair.text1, pair.text2, state, walks);
}

// A result text is ASCII: digits, sign, separator and exponent.
std::string Narrowed(TextView text) {
  std::string narrow;
  for (const char16_t unit : text) narrow.push_back(static_cast<char>(unit));
  return narrow;
}

double PeakResidentMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  // Linux counts ru_maxrss in KiB.
  return static_cast<double>(usage.ru_maxrss) * 1024.0 / kMiB;
}

}  // namespace

const TextPair& CachedPair(PairMaker make, std::size_t units) {
  static PairMaker cachedMake = nullptr;
  static std::size_t cachedUnits = 0;
  static TextPair cached;
  if (make != cachedMake || units != cachedUnits) {
    // Free the old pair before making the new one, so that both never meet.
    // Assigning an empty pair would keep the texts' memory; moving them out
    // hands it to a copy that goes at once.
    { const TextPair released = std::move(cached); }
    cached = make(units);
    cachedMake = make;
    cachedUnits = units;
  }
  return cached;
}

std::string OutcomeLabel(const CompareOutcome& outcome) {
  std::string label =
      outcome.error ? std::string(ErrorKindName(*outcome.error))
                    : "result " + Narrowed(DisplayOf(outcome, u'.').result.value_or(u""));
  label += " [";
  for (std::size_t i = 0; i < outcome.scores.size(); ++i) {
    if (i > 0) label += ' ';
    const std::optional<Integer>& score = outcome.scores[i];
    label += score ? std::to_string(*score) : "-";
  }
  return label + "]";
}

bool AnswerAccepted(benchmark::State& state, const TextPair& pair,
                    const std::function<bool(const CompareOutcome&)>& accepted) {
  const CompareOutcome outcome = Compare(pair);
  if (accepted(outcome)) return true;
  state.SkipWithError(("wrong answer: " + OutcomeLabel(outcome)).c_str());
  return false;
}

void TimeCompare(benchmark::State& state, const TextPair& pair, Walking walking) {
  CompareOutcome outcome;
  Walks walks;
  Walks* recorded = walking == Walking::Recorded ? &walks : nullptr;
  for (auto _ : state) {
    outcome = Compare(pair, recorded);
    benchmark::DoNotOptimize(outcome);
    benchmark::DoNotOptimize(walks);
  }
  state.SetLabel(OutcomeLabel(outcome));
  const auto inputUnits = static_cast<double>(pair.text1.size() + pair.text2.size());
  state.counters["input_MiB"] = inputUnits / kMiB;
  state.counters["peak_rss_MiB"] = PeakResidentMiB();
}

}  // namespace velmoro::bench
