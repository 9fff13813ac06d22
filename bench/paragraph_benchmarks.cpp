// The small cases: a sample sentence pair and a pair of realistic English
// paragraphs, each checked once for its known answer before it is timed.

#include <array>
#include <optional>

#include "compare_case.h"
#include "paragraphs.h"
#include "sample_pair.h"

namespace velmoro::bench {

using internal::CompareOutcome;
using internal::DisplayOf;

namespace {

using fixtures::kSamplePair;

const TextPair kSamplePairA{Text(kSamplePair.text1_units), Text(kSamplePair.text2_units)};

bool IsWorkedExample(const CompareOutcome& outcome) {
  std::array<std::optional<Integer>, 4> scores;
  for (std::size_t d = 0; d < scores.size(); ++d) {
    scores[d] = static_cast<Integer>(kSamplePair.scores[d]);
  }
  const Text result(kSamplePair.result.begin(), kSamplePair.result.end());
  return !outcome.error && outcome.scores == scores && DisplayOf(outcome, u'.').result == result;
}

void BM_SamplePairA(benchmark::State& state) {
  if (!AnswerAccepted(state, kSamplePairA, IsWorkedExample)) return;
  TimeCompare(state, kSamplePairA);
}
BENCHMARK(BM_SamplePairA);

// The same Compare recording every walked word, as an explanation does.
void BM_SamplePairAWalked(benchmark::State& state) {
  if (!AnswerAccepted(state, kSamplePairA, IsWorkedExample)) return;
  TimeCompare(state, kSamplePairA, Walking::Recorded);
}
BENCHMARK(BM_SamplePairAWalked);

void BM_Paragraphs(benchmark::State& state) {
  static const TextPair pair{kParagraph1, kParagraph2};
  const auto completed = [](const CompareOutcome& outcome) {
    return !outcome.error && outcome.result_value.has_value();
  };
  if (!AnswerAccepted(state, pair, completed)) return;
  TimeCompare(state, pair);
}
BENCHMARK(BM_Paragraphs);

}  // namespace

}  // namespace velmoro::bench
