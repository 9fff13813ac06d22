// Compares every pair of a sentence pair file once with the engine alone, for
// counting instructions a pair under callgrind (bench/callgrind_per_pair.sh).
// With --stage it runs the Compare's first stages only, so that each stage's
// cost is the difference of two counts:
//   prepare  both texts prepared;
//   tables   and the word scan's tables built;
//   self     and the two self directions scored.
// Without it each pair runs the whole Compare action.
//
// Usage: velmoro_pair_cost [--stage prepare|tables|self] PAIRS.tsv

#include <cstdio>
#include <cstring>
#include <exception>
#include <utility>

#include "prepared_text.h"
#include "sentence_pairs.h"
#include "short_texts.h"
#include "word_scan.h"

namespace {

enum class Stage { kPrepare, kTables, kSelf, kWhole };

// Each text's own direction; its code is the only difference between them.
constexpr velmoro::Integer kSelfDirections[] = {3, 4};

// Runs one pair up to stage; callgrind counts this function's instructions.
[[gnu::noinline]] bool CostOfPair(const velmoro::bench::TextPair& pair, Stage stage) {
  velmoro::ComparisonState state;
  if (stage == Stage::kWhole) {
    return !velmoro::internal::RunCompareAction(pair.text1, pair.text2, state).error;
  }
  // Kept from pair to pair, as the Compare action keeps its own.
  static velmoro::internal::PreparedText text1;
  static velmoro::internal::PreparedText text2;
  static velmoro::internal::ShortTexts texts;
  text1.Assign(pair.text1);
  text2.Assign(pair.text2);
  if (stage == Stage::kPrepare) return true;
  if (!texts.Take(text1, text2) || stage == Stage::kTables) return true;
  for (const velmoro::Integer direction : kSelfDirections) {
    velmoro::internal::ScanWords(direction, texts, state, {});
  }
  return true;
}

bool ParseStage(const char* name, Stage& stage) {
  for (const auto& [text, value] : {std::pair{"prepare", Stage::kPrepare},
                                    std::pair{"tables", Stage::kTables},
                                    std::pair{"self", Stage::kSelf}}) {
    if (std::strcmp(name, text) == 0) {
      stage = value;
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Stage stage = Stage::kWhole;
  const bool staged = argc == 4 && std::strcmp(argv[1], "--stage") == 0;
  if (!(argc == 2 || (staged && ParseStage(argv[2], stage)))) {
    std::fputs("usage: velmoro_pair_cost [--stage prepare|tables|self] PAIRS.tsv\n", stderr);
    return 2;
  }
  try {
    int completed = 0;
    for (const velmoro::bench::TextPair& pair : velmoro::bench::ReadSentencePairs(argv[argc - 1])) {
      completed += CostOfPair(pair, stage) ? 1 : 0;
    }
    std::printf("%d completed\n", completed);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "velmoro_pair_cost: %s\n", error.what());
    return 1;
  }
  return 0;
}
