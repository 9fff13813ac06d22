// Realistic sentence pairs: sentences of the licence texts against copies
// with a few word edits, many different pairs rather than one repeated, and
// the same at fixed numbers of words per text, for the cost against the
// length of the texts. Each iteration compares the next pair of the set.

#include <cstddef>
#include <string>
#include <vector>

#include "compare_case.h"
#include "sentence_pairs.h"
#include "sentence_sets.h"

namespace velmoro::bench {

using internal::CompareOutcome;
using internal::RunCompareAction;

namespace {

void TimeSet(benchmark::State& state, const std::vector<TextPair>& pairs) {
  std::size_t next = 0;
  for (auto _ : state) {
    ComparisonState comparison;
    const TextPair& pair = pairs[next];
    CompareOutcome outcome = RunCompareAction(pair.text1, pair.text2, comparison);
    benchmark::DoNotOptimize(outcome);
    next = next + 1 == pairs.size() ? 0 : next + 1;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_LicenceSentences(benchmark::State& state) {
  static const std::vector<TextPair> pairs = ReadSentencePairs(kSentencePairsFile);
  TimeSet(state, pairs);
}
BENCHMARK(BM_LicenceSentences)->Unit(benchmark::kMicrosecond);

void BM_LicenceWords(benchmark::State& state) {
  const std::string path = kWordPairsStem + std::to_string(state.range(0)) + ".tsv";
  TimeSet(state, ReadSentencePairs(path));
}
BENCHMARK(BM_LicenceWords)
    ->Arg(10)->Arg(12)->Arg(19)->Arg(20)->Arg(40)->Arg(80)->Arg(160)->Arg(180)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace velmoro::bench
