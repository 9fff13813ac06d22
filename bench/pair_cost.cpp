// Compares every pair of a sentence pair file once with the engine alone, for
// counting instructions a pair under callgrind (bench/callgrind_per_pair.sh).
//
// Usage: velmoro_pair_cost PAIRS.tsv

#include <cstdio>
#include <exception>

#include "sentence_pairs.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: velmoro_pair_cost PAIRS.tsv\n", stderr);
    return 2;
  }
  try {
    int completed = 0;
    for (const velmoro::bench::TextPair& pair : velmoro::bench::ReadSentencePairs(argv[1])) {
      velmoro::ComparisonState state;
      completed += velmoro::internal::RunCompareAction(pair.text1, pair.text2, state).error ? 0 : 1;
    }
    std::printf("%d completed\n", completed);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "velmoro_pair_cost: %s\n", error.what());
    return 1;
  }
  return 0;
}
