// The small cases: a sample sentence pair and a pair of realistic English
// paragraphs, each checked once for its known answer before it is timed.

#include <array>
#include <optional>

#include "compare_case.h"
#include "paragraphs.h"

namespace velmoro::bench {

namespace {

const TextPair kSamplePairA{
    u"Anna packs the red bag. She walks to the old mill by the river",
    u"Anna packs the blue bag, then she runs to the mill by the lake.",
};

bool IsWorkedExample(const CompareOutcome& outcome) {
  const std::array<std::optional<Integer>, 4> scores = {15, 24, 150, 149};
  return !outcome.error && outcome.scores == scores &&
         DisplayOf(outcome, u'.').result == Text(u"6.6973953762657");
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
    return !outcome.error && outcome.resultValue.has_value();
  };
  if (!AnswerAccepted(state, pair, completed)) return;
  TimeCompare(state, pair);
}
BENCHMARK(BM_Paragraphs);

}  // namespace

}  // namespace velmoro::bench
