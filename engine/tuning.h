#pragma once

// The thresholds at which the scan changes its way of working, in one place.
// None changes a result, only how fast it comes: the property tests hold for
// any value, and the tuning-lowest and tuning-highest builds run them with
// every threshold at 0 (the fast machinery from the first unit) and at 2^31
// (never), through VELMORO_TUNING. Each was set by moving it up and down and timing the benchmarks
// of bench/ in a Release build (median of five, each case in a process of its
// own, bench/run_memory_table.sh); the line above each names the cases that
// decide it.

#include <cstddef>

#if defined(VELMORO_TUNING_LOWEST)
#define VELMORO_TUNED(measured) std::size_t{0}
#elif defined(VELMORO_TUNING_HIGHEST)
#define VELMORO_TUNED(measured) (std::size_t{1} << 31)
#else
#define VELMORO_TUNED(measured) (measured)
#endif

// A limit that cannot go past most: at the lowest extreme 0, at the highest
// most.
#if defined(VELMORO_TUNING_LOWEST)
#define VELMORO_LIMITED(measured, most) std::size_t{0}
#elif defined(VELMORO_TUNING_HIGHEST)
#define VELMORO_LIMITED(measured, most) (most)
#else
#define VELMORO_LIMITED(measured, most) (measured)
#endif

namespace velmoro::internal {

// From this size a search of the unconsumed or reversed target first asks the
// target index whether the word can occur there at all. Below it a direct
// search is cheaper than the question: SamplePairA and Paragraphs lose when
// it is lower, UnfoundSourceWords/65536 when it is higher.
inline constexpr std::size_t kAskIndexFrom = VELMORO_TUNED(4096);

// Up to this length a needle is sought by its first unit and compared
// directly, which costs at most this many comparisons a haystack unit; longer
// ones go through Knuth-Morris-Pratt. HugeWord and PeriodicNearMiss set the
// upper bound, SamplePairA the lower.
inline constexpr std::size_t kShortNeedle = VELMORO_TUNED(16);

// The target index answers with direct searches until they have cost this
// many passes over the target, plus kUnitsBeforeAutomaton for short targets,
// and then builds the word automaton: UnfoundTargetWords and ScatteredMatches
// gain from building early, Paragraphs and ProsePaste from not building.
inline constexpr std::size_t kPassesBeforeAutomaton = VELMORO_TUNED(2);
inline constexpr std::size_t kUnitsBeforeAutomaton = VELMORO_TUNED(std::size_t{1} << 14);

// From this target size the index remembers each word's answers: below it a
// search costs less than the hash (SamplePairA against RepeatedPhrases/65536).
inline constexpr std::size_t kRememberFrom = VELMORO_TUNED(4096);

// From this size of the unconsumed target a word found nowhere is remembered
// as such; a hash pays only where the search it saves is long
// (UnfoundSourceWords/65536 against Paragraphs).
inline constexpr std::size_t kRememberAbsentFrom = VELMORO_TUNED(1024);

// The word automaton's first edge table is sized for at most this many source
// units and grows from there: enough for a paste of prose without rehashing,
// little memory for a short text (ProsePaste/65536 and its peak memory).
inline constexpr std::size_t kUnitsForFirstTable = VELMORO_TUNED(std::size_t{1} << 16);

// The word positions start by tracking at least this many of the target's
// front words and double from there: a scan cuts only words near the front
// (ScatteredMatches/65536).
inline constexpr std::size_t kFirstTrackedWords = VELMORO_TUNED(64);

// Texts of up to this many words and units are scanned word by word
// (word_scan.h). Not a timed trade-off like the others: a text whose
// self-score still fits an Integer holds fewer than about 180 words, so every
// comparison that completes is scanned so (BM_LicenceWords/180), the limit on
// units keeps every position within reach and every offset in a place's 16
// bits, and the scan's tables of pieces are sized for this many words.
inline constexpr std::size_t kWordScanWords = VELMORO_LIMITED(256, 256);
inline constexpr std::size_t kWordScanUnits = VELMORO_LIMITED(16384, 16384);

// A short text whose words hold more than this many places of words, whole
// or inside longer ones, takes the scan over units instead: only made-up
// texts of words inside words come near it (a text of prose holds about
// twice as many places as words), and it bounds the word scan's tables.
inline constexpr std::size_t kWordScanPlaces = VELMORO_LIMITED(4096, 4096);

}  // namespace velmoro::internal
