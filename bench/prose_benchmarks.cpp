// Prose-like pastes from 64 KiB to 16 MiB per text: two different texts drawn
// from one English-like vocabulary, as a user might paste two documents.

#include "compare_case.h"
#include "text_generators.h"

namespace velmoro::bench {

namespace {

TextPair ProsePair(std::size_t units) { return {ProseText(units, 1), ProseText(units, 2)}; }

void BM_ProsePaste(benchmark::State& state) {
  TimeCompare(state, CachedPair(ProsePair, static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_ProsePaste)
    ->RangeMultiplier(4)
    ->Range(64 << 10, 16 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace velmoro::bench
