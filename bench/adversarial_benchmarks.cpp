// Texts made to find the slow paths of the engine, each family at 64 KiB and
// at 1 MiB per text: huge words, runs of spaces and punctuation, periodic
// texts, words that are never found or found only out of order, repeated
// phrases, words just past the last position a score can hold, and one text
// in both boxes; two of them also with the walked words recorded.

#include <utility>

#include "compare_case.h"
#include "text_generators.h"

namespace velmoro::bench {

namespace {

constexpr std::uint64_t kSeed1 = 11;
constexpr std::uint64_t kSeed2 = 12;
// Just below 32767, the largest position an Integer holds.
constexpr std::size_t kFillerUnits = 32760;

TextPair HugeWordPair(std::size_t units) {
  Text word = HugeWord(units, kSeed1);
  Text changed = ChangedNearEnd(word, 8);
  return {std::move(word), std::move(changed)};
}

TextPair OnlySpacesPair(std::size_t units) {
  return {Repeated(u" ", units), Repeated(u" ", units)};
}

// Normalising by repeated passes halves a run of spaces each time, so one
// long run is the worst case for it.
TextPair SpaceRunPair(std::size_t units) {
  Text text = Repeated(u" ", units);
  text.front() = u'a';
  text.back() = u'b';
  return {text, text};
}

TextPair OnlyPunctuationPair(std::size_t units) {
  return {Repeated(u".,;:?!-*", units), Repeated(u"*-!?:;,.", units)};
}

TextPair PeriodicWordPair(std::size_t units) {
  const Text text = Repeated(u"ab", units);
  return {text, text};
}

TextPair PeriodicWordsPair(std::size_t units) {
  const Text text = Repeated(u"ab ", units);
  return {text, text};
}

TextPair PeriodicNearMissPair(std::size_t units) {
  Text text = Repeated(u"ab", units);
  Text changed = ChangedNearEnd(text, 1);
  return {std::move(text), std::move(changed)};
}

TextPair UnfoundSourceWordsPair(std::size_t units) {
  return {DistinctWords(units, u'q'), ProseText(units, kSeed2)};
}

TextPair UnfoundTargetWordsPair(std::size_t units) {
  return {ProseText(units, kSeed1), DistinctWords(units, u'q')};
}

// Every source word is found, but never next to its neighbours, and a long
// tail lies behind them in the target, through which each neighbour is sought.
TextPair ScatteredMatchesPair(std::size_t units) {
  const Text words = DistinctWords(kFillerUnits, u'q');
  return {ReversedWords(words) + DistinctWords(units - kFillerUnits, u'k'),
          words + ProseText(units - kFillerUnits, kSeed2)};
}

TextPair RepeatedPhrasesPair(std::size_t units) {
  Text text = Repeated(u"the cat sat on the mat ", units);
  Text shuffled = ShuffledWords(text, kSeed2);
  return {std::move(text), std::move(shuffled)};
}

TextPair PastPosition32767Pair(std::size_t units) {
  Text source = ProseText(units, kSeed1);
  Text target = Repeated(u"zz ", kFillerUnits) + source.substr(0, units - kFillerUnits);
  return {std::move(source), std::move(target)};
}

TextPair SameTextPair(std::size_t units) {
  const Text text = ProseText(units, kSeed1);
  return {text, text};
}

struct Family {
  const char* name;
  PairMaker make;
  Walking walking = Walking::NotRecorded;
};

constexpr Family kFamilies[] = {
    {"BM_HugeWord", HugeWordPair},
    {"BM_OnlySpaces", OnlySpacesPair},
    {"BM_SpaceRun", SpaceRunPair},
    {"BM_OnlyPunctuation", OnlyPunctuationPair},
    {"BM_PeriodicWord", PeriodicWordPair},
    {"BM_PeriodicWords", PeriodicWordsPair},
    {"BM_PeriodicNearMiss", PeriodicNearMissPair},
    {"BM_UnfoundSourceWords", UnfoundSourceWordsPair},
    {"BM_UnfoundTargetWords", UnfoundTargetWordsPair},
    {"BM_ScatteredMatches", ScatteredMatchesPair},
    {"BM_RepeatedPhrases", RepeatedPhrasesPair},
    {"BM_PastPosition32767", PastPosition32767Pair},
    {"BM_SameText", SameTextPair},
    // The families that walk the most words, recording them as an
    // explanation does: words never found, and words each found.
    {"BM_UnfoundSourceWordsWalked", UnfoundSourceWordsPair, Walking::Recorded},
    {"BM_ScatteredMatchesWalked", ScatteredMatchesPair, Walking::Recorded},
};

const bool kRegistered = [] {
  for (const Family& family : kFamilies) {
    benchmark::RegisterBenchmark(family.name, [family](benchmark::State& state) {
      TimeCompare(state, CachedPair(family.make, static_cast<std::size_t>(state.range(0))),
                  family.walking);
    })
        ->Arg(64 << 10)
        ->Arg(1 << 20)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace

}  // namespace velmoro::bench
