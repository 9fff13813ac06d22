// The words a Compare records against the literal reference model and
// against the texts themselves, over generated pairs: the same words in the
// same order with the same credits; every place slices back to its word; no
// unit of a target is used by two matches of one direction; and the points of
// a complete direction add up to its score. What the explanation says of each
// match's word holds against the texts as given.

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "compare_action.h"
#include "direction_outcome.h"
#include "literal_scorer.h"
#include "normalize_text.h"
#include "not_found_reasons.h"
#include "property_support.h"
#include "velmoro/velmoro.h"
#include "word_walk.h"

namespace velmoro::properties {

using internal::DirectionWalk;
using internal::ForEachWalkedWord;
using internal::NormalizedWord;
using internal::NotFoundReasons;
using internal::RunCompareAction;
using internal::SourceAndTarget;
using internal::Trim;
using internal::WalkedWord;
using internal::Walks;

namespace {

Walks WalksOf(const TextPair& pair) {
  ComparisonState state;
  Walks walks;
  static_cast<void>(RunCompareAction(pair.text1, pair.text2, state, &walks));
  return walks;
}

// What the texts alone can confirm of one direction's walk.
std::vector<WalkedWord> WordsOf(const DirectionWalk& walk, TextView source) {
  std::vector<WalkedWord> words;
  ForEachWalkedWord(source, walk, [&](const WalkedWord& word) { words.push_back(word); });
  return words;
}

void ExpectPlacesFit(const DirectionWalk& walk, TextView source, TextView target) {
  std::vector<std::pair<std::size_t, std::size_t>> used;
  Long points = 0;
  for (const WalkedWord& word : WordsOf(walk, source)) {
    const Text normalized = NormalizedWord(source, word);
    ASSERT_EQ(normalized.size(), word.length);
    ASSERT_EQ(normalized.find(u' '), Text::npos);
    points += word.points;
    if (!word.found()) continue;
    EXPECT_EQ(NormalizeText(target.substr(word.target_start, word.length)), normalized);
    used.emplace_back(word.target_start, word.target_start + word.length);
  }
  // An error may come after a word's credit and before its step is reported.
  if (walk.complete) {
    EXPECT_EQ(points, walk.score);
  }
  std::sort(used.begin(), used.end());
  for (std::size_t i = 1; i < used.size(); ++i) {
    EXPECT_LE(used[i - 1].second, used[i].first) << "two matches share a target unit";
  }
}

// Every word of a complete walk that found nothing is absent exactly when the
// model's search of the prepared target for it finds nothing, and a word
// named as having used its place came before it.
void ExpectReasonsOfReference(const DirectionWalk& walk, TextView source, TextView target,
                              const std::vector<WalkedWord>& words) {
  const Text preparedTarget = reference::NormalizeText(Trim(target)) + u' ';
  NotFoundReasons reasons(source, target, walk);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i].found()) continue;
    const NotFoundReasons::Reason reason = reasons.Of(i);
    const bool absent = InStr(1, preparedTarget, NormalizedWord(source, words[i])) == 0;
    EXPECT_EQ(reason.kind, absent ? NotFound::Absent : NotFound::Used) << "word " << i;
    if (reason.used_by) {
      EXPECT_LT(*reason.used_by, i);
    }
  }
}

// The walks directions 1 to 4 recorded, each against the reference model's
// scan of that direction on its own. A direction is recorded up to the first
// one that ends in an error.
void ExpectWalksOfReference(const TextPair& pair, bool againstReference) {
  const Walks walks = WalksOf(pair);
  const TextView text1 = pair.text1;
  const TextView text2 = pair.text2;
  bool ended = pair.text1.empty();
  for (Integer direction = 1; direction <= 4; ++direction) {
    SCOPED_TRACE(testing::Message() << "direction " << direction);
    const std::optional<DirectionWalk>& walk = walks[static_cast<std::size_t>(direction - 1)];
    ASSERT_EQ(walk.has_value(), !ended);
    if (ended) continue;
    const auto [source, target] = SourceAndTarget(direction, text1, text2);
    ExpectPlacesFit(*walk, source, target);
    ended = !walk->complete;
    if (!againstReference) continue;
    const DirectionOutcome reference =
        ScoreWith(kReferenceScorer, direction, pair.text1, pair.text2);
    EXPECT_EQ(walk->complete, !reference.error);
    const std::vector<WalkedWord> words = WordsOf(*walk, source);
    ASSERT_EQ(words.size(), reference.steps.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
      const WalkedWord& word = words[i];
      const RecordedStep& step = reference.steps[i];
      EXPECT_EQ(NormalizedWord(source, word), step.word);
      EXPECT_EQ(word.found(), step.position > 0);
      EXPECT_EQ(word.by_context, step.by_context);
      const Long points = step.by_context ? step.following + step.preceding : step.position > 0;
      EXPECT_EQ(word.points, points);
    }
    if (walk->complete) ExpectReasonsOfReference(*walk, source, target, words);
  }
}

// Each found word's match, in UTF-16 units of the target as given, lies in
// the word said to hold it, which is a whole word there (units that part no
// words, ended by one that does or by the text's ends), and the match's place
// says where in that word it stands.
void ExpectMatchesStandInTheirWords(const TextPair& pair) {
  const Explanation explanation = Explain(pair.text1, pair.text2);
  for (const std::optional<DirectionExplanation>& direction : explanation) {
    if (!direction) continue;
    const TextView target = direction->target == 1 ? pair.text1 : pair.text2;
    const auto parts = [target](std::size_t unit) { return NormalizesToSpace(target[unit]); };
    for (const ExplainedWord& word : direction->words) {
      ASSERT_EQ(word.match.has_value(), word.target.has_value());
      if (!word.target) continue;
      const Span match = *word.utf16.target;
      const Span holder = *word.utf16.enclosing;
      ASSERT_LE(holder.start, match.start);
      ASSERT_GE(holder.end, match.end);
      ASSERT_LE(holder.end, target.size());
      for (std::size_t unit = holder.start; unit < holder.end; ++unit) ASSERT_FALSE(parts(unit));
      EXPECT_TRUE(holder.start == 0 || parts(holder.start - 1));
      EXPECT_TRUE(holder.end == target.size() || parts(holder.end));
      const MatchPlace place = holder == match               ? MatchPlace::Word
                               : holder.start == match.start ? MatchPlace::StartOfWord
                                                             : MatchPlace::InsideWord;
      EXPECT_EQ(word.match, place) << word.word;
    }
  }
}

TEST(WordWalk, MatchesStandInTheWordsTheExplanationNames) {
  PairGenerator generator(kSmallSeed);
  std::vector<TextPair> pairs = TinyVocabularyPairs();
  for (int i = 0; i < kSmallPairs; ++i) pairs.push_back(generator.SmallPair());
  for (const TextPair& pair : pairs) {
    if (HasFailure()) return;
    SCOPED_TRACE(Described(pair));
    ExpectMatchesStandInTheirWords(pair);
  }
}

TEST(WordWalk, SmallPairsWalkAsTheReferenceDoes) {
  PairGenerator generator(kSmallSeed);
  for (int i = 0; i < kSmallPairs && !HasFailure(); ++i) {
    const TextPair pair = generator.SmallPair();
    SCOPED_TRACE(Described(pair));
    ExpectWalksOfReference(pair, true);
  }
  for (const TextPair& pair : TinyVocabularyPairs()) {
    if (HasFailure()) return;
    SCOPED_TRACE(Described(pair));
    ExpectWalksOfReference(pair, true);
  }
}

TEST(WordWalk, LargePairsAndPairsAtTheReachFitTheirTexts) {
  PairGenerator generator(kLargeSeed);
  std::vector<TextPair> pairs = PairsAtTheReach();
  for (int i = 0; i < kLargePairs; ++i) pairs.push_back(generator.LargePair());
  for (const TextPair& pair : pairs) {
    if (HasFailure()) return;
    SCOPED_TRACE(Described(pair));
    ExpectWalksOfReference(pair, false);
  }
}

}  // namespace
}  // namespace velmoro::properties
