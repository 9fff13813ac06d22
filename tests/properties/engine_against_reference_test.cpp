// The engine's fast scorer against the literal reference model, over
// thousands of generated pairs: every direction must come to the same steps,
// the same score and the same error, and NormalizeText and CountWordRun must
// agree too.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "direction_outcome.h"
#include "direction_scorer.h"
#include "literal_scorer.h"
#include "normalize_text.h"
#include "property_support.h"

namespace velmoro::properties {

using internal::Trim;

namespace {

testing::AssertionResult SameOutcome(const DirectionOutcome& engine,
                                     const DirectionOutcome& reference) {
  if (engine == reference) return testing::AssertionSuccess();
  testing::AssertionResult failure = testing::AssertionFailure()
                                     << "engine " << testing::PrintToString(engine)
                                     << "; reference " << testing::PrintToString(reference);
  const auto [fast, literal] = std::mismatch(engine.steps.begin(), engine.steps.end(),
                                             reference.steps.begin(), reference.steps.end());
  const auto agreeing = std::distance(engine.steps.begin(), fast);
  if (fast != engine.steps.end() && literal != reference.steps.end()) {
    failure << "; first different step " << agreeing + 1 << ": engine "
            << testing::PrintToString(*fast) << ", reference " << testing::PrintToString(*literal);
  } else {
    failure << "; the first " << agreeing << " steps agree";
  }
  return failure;
}

// The engine's choice of scan, and its scan over units on every pair, against
// the model.
void ExpectSameDirections(const TextPair& pair) {
  for (Integer direction = 1; direction <= 4; ++direction) {
    SCOPED_TRACE(testing::Message() << "direction " << direction);
    const DirectionOutcome reference =
        ScoreWith(kReferenceScorer, direction, pair.text1, pair.text2);
    EXPECT_TRUE(SameOutcome(ScoreWith(kEngineScorer, direction, pair.text1, pair.text2),
                            reference));
    EXPECT_TRUE(SameOutcome(ScoreWith(kUnitScanScorer, direction, pair.text1, pair.text2),
                            reference))
        << "scanned over units";
  }
}

void ExpectSameWordRuns(TextView a, TextView b) {
  EXPECT_EQ(Try([&] { return CountWordRun(a, b); }),
            Try([&] { return reference::CountWordRun(a, b); }));
}

Text Prepared(TextView text) { return reference::NormalizeText(Trim(text)) + u' '; }

TEST(EngineAgainstReference, SmallPairsScoreAlikeInEveryDirection) {
  PairGenerator generator(kSmallSeed);
  for (int i = 0; i < kSmallPairs && !HasFailure(); ++i) {
    const TextPair pair = generator.SmallPair();
    SCOPED_TRACE(Described(pair));
    ExpectSameDirections(pair);
  }
}

TEST(EngineAgainstReference, PeriodicWordPairsScoreAlikeInEveryDirection) {
  PairGenerator generator(kSmallSeed);
  for (int i = 0; i < kSmallPairs && !HasFailure(); ++i) {
    const TextPair pair = generator.PeriodicWordsPair();
    SCOPED_TRACE(Described(pair));
    ExpectSameDirections(pair);
  }
}

TEST(EngineAgainstReference, LargePairsScoreAlikeInEveryDirection) {
  PairGenerator generator(kLargeSeed);
  for (int i = 0; i < kLargePairs && !HasFailure(); ++i) {
    const TextPair pair = generator.LargePair();
    SCOPED_TRACE(testing::Message() << "large pair " << i << ": " << Described(pair));
    ExpectSameDirections(pair);
  }
}

TEST(EngineAgainstReference, PairsAtTheReachScoreAlikeInEveryDirection) {
  const std::vector<TextPair> pairs = PairsAtTheReach();
  for (std::size_t i = 0; i < pairs.size() && !HasFailure(); ++i) {
    SCOPED_TRACE(testing::Message() << "pair " << i << " at the reach: " << Described(pairs[i]));
    ExpectSameDirections(pairs[i]);
  }
}

TEST(EngineAgainstReference, PairsAtTheWordScanLimitsScoreAlikeInEveryDirection) {
  for (const TextPair& pair : PairsAtTheWordScanLimits()) {
    if (HasFailure()) return;
    SCOPED_TRACE(Described(pair));
    ExpectSameDirections(pair);
  }
}

TEST(EngineAgainstReference, TinyVocabularyPairsScoreAlikeInEveryDirection) {
  for (const TextPair& pair : TinyVocabularyPairs()) {
    if (HasFailure()) return;
    SCOPED_TRACE(Described(pair));
    ExpectSameDirections(pair);
  }
}

TEST(EngineAgainstReference, NormalizeTextAgrees) {
  PairGenerator generator(kSmallSeed);
  for (int i = 0; i < kSmallPairs && !HasFailure(); ++i) {
    const TextPair pair = generator.SmallPair();
    for (const Text& text : {pair.text1, pair.text2, generator.MarksAndSpaces()}) {
      SCOPED_TRACE(Shown(text));
      EXPECT_EQ(NormalizeText(text), reference::NormalizeText(text));
    }
  }
}

// Every unit of the basic multilingual plane, lone surrogates included, and
// every code point of the first supplementary plane, where the cased letters
// outside the basic plane lie; each alone, doubled, and before a mark.
TEST(EngineAgainstReference, NormalizeTextAgreesOnEveryCharacter) {
  constexpr char32_t kEnd = 0x20000;
  constexpr char32_t kChunk = 256;
  constexpr char32_t kFirstSupplementary = 0x10000;
  for (char32_t first = 0; first < kEnd && !HasFailure(); first += kChunk) {
    Text text;
    for (char32_t c = first; c < first + kChunk; ++c) {
      const Text character =
          c < kFirstSupplementary
              ? Text(1, static_cast<char16_t>(c))
              : Text{static_cast<char16_t>(0xD800 + ((c - kFirstSupplementary) >> 10)),
                     static_cast<char16_t>(0xDC00 + ((c - kFirstSupplementary) & 0x3FF))};
      text += character + u' ' + character + character + u". ";
    }
    SCOPED_TRACE(testing::Message() << "code points from " << static_cast<unsigned>(first));
    EXPECT_EQ(NormalizeText(text), reference::NormalizeText(text));
  }
}

// Raw texts (leading spaces, tabs, marks) as well as prepared ones, in both
// orders.
TEST(EngineAgainstReference, CountWordRunAgrees) {
  PairGenerator generator(kSmallSeed);
  for (int i = 0; i < kSmallPairs && !HasFailure(); ++i) {
    const TextPair pair = generator.SmallPair();
    SCOPED_TRACE(Described(pair));
    ExpectSameWordRuns(pair.text1, pair.text2);
    ExpectSameWordRuns(pair.text2, pair.text1);
    ExpectSameWordRuns(Prepared(pair.text1), Prepared(pair.text2));
    ExpectSameWordRuns(Prepared(pair.text1), pair.text1);
  }
}

TEST(EngineAgainstReference, CountWordRunAgreesOnLargePairs) {
  PairGenerator generator(kLargeSeed);
  for (int i = 0; i < kLargePairs && !HasFailure(); ++i) {
    const TextPair pair = generator.LargePair();
    SCOPED_TRACE(testing::Message() << "large pair " << i << ": " << Described(pair));
    ExpectSameWordRuns(pair.text1, pair.text2);
    ExpectSameWordRuns(Prepared(pair.text1), Prepared(pair.text1));
  }
}

}  // namespace
}  // namespace velmoro::properties
