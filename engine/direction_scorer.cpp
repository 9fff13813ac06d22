#include "direction_scorer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

#include "reversed_target.h"
#include "search_window.h"
#include "spaces.h"
#include "substring_search.h"
#include "target_index.h"
#include "unconsumed_target.h"
#include "word_scan.h"

namespace velmoro::internal {

namespace {

// A plain text searched the way the scorer searches: a position counts from
// the search start and must fit an Integer.
class PlainText {
 public:
  explicit PlainText(TextView text) : text_(text) {}

  [[nodiscard]] std::size_t SkipSpaces(std::size_t from) const {
    return internal::SkipSpaces(text_, from);
  }

  [[nodiscard]] bool StartsWith(std::size_t from, TextView prefix) const {
    return StartsWithAt(text_, from, prefix);
  }

  [[nodiscard]] std::optional<std::size_t> Find(TextView word, std::size_t from) const {
    const std::size_t found = FindUnits(text_, word, from);
    if (found == kNotFound) return std::nullopt;
    if (found - from >= kSearchReach) {
      throw RuntimeError(ErrorKind::Overflow, OverflowCause::Position);
    }
    return found;
  }

 private:
  TextView text_;
};

// Up to this length a word's space and the next word's occurrence stay
// within reach of the previous occurrence when b reads on as a does.
constexpr std::size_t kLongestCopiedWord = kSearchReach - 2;

// The run of a against a text that reads on exactly as a does: each word is
// found at or before its own place, so the run is a's count of words with a
// space behind them. nullopt when a word is too long to be sure of that.
std::optional<Integer> RunOfCopy(TextView a) {
  if (a.size() <= kLongestCopiedWord) {
    // No word of a text this short can be too long.
    return ToInteger(static_cast<Long>(CountWordsEndedBySpace(a)));
  }
  Integer count = 0;
  std::size_t wordLength = 0;
  for (const char16_t unit : a) {
    if (unit != u' ') {
      if (++wordLength > kLongestCopiedWord) return std::nullopt;
    } else if (wordLength > 0) {
      count = AddInteger(count, 1);
      wordLength = 0;
    }
  }
  return count;
}

// The same for a, a piece of text, that holds words of it with a space
// behind them; counted in text's table of words when no word of text is
// too long.
std::optional<Integer> RunOfCopy(TextView a, std::size_t words, const PreparedText& text) {
  if (text.LongestWord() > kLongestCopiedWord) return RunOfCopy(a);
  return ToInteger(static_cast<Long>(words));
}

// The number of leading words of a that occur in b one after another, each
// searched from the start of the previous word's occurrence; b's search
// starts at from. runOfCopy() gives the run when b reads on as a does.
template <typename Haystack, typename CopyRun>
Integer CountRun(TextView a, Haystack& b, std::size_t from, CopyRun runOfCopy) {
  a = LeftTrim(a);
  from = b.SkipSpaces(from);
  // A self-comparison mostly counts a text against a copy of itself.
  if (b.StartsWith(from, a)) {
    if (const std::optional<Integer> run = runOfCopy()) return *run;
  }
  Integer count = 0;
  while (true) {
    a = LeftTrim(a);
    from = b.SkipSpaces(from);
    const std::size_t space = a.find(u' ');
    if (space == TextView::npos) return count;
    // The space's position is narrowed to an Integer.
    if (space >= kSearchReach) {
      throw RuntimeError(ErrorKind::Overflow, OverflowCause::LongSourceWord);
    }
    const TextView word = a.substr(0, space);
    const std::optional<std::size_t> found = b.Find(word, from);
    if (!found) return count;
    a.remove_prefix(word.size());
    from = *found;
    count = AddInteger(count, 1);
  }
}

// One direction's scan over its prepared source and target.
class DirectionScan {
 public:
  // With placesTracked, every step tells where its word was found in the
  // target as it stood before the scan.
  DirectionScan(const PreparedText& source, const PreparedText& target, bool placesTracked)
      : source_(source),
        target_(target),
        index_(source, target.text()),
        unconsumed_(target, index_, placesTracked),
        reversed_target_(target, source, index_) {}

  void Run(Integer direction, ComparisonState& state, const WordObserver& onWord);

 private:
  [[nodiscard]] TextView Word(std::size_t j) const {
    const WordSpan& span = source_.words()[j];
    return source_.text().substr(span.start, span.length);
  }
  [[nodiscard]] bool RestIsSameWord(std::size_t j) const {
    return j + 2 == source_.words().size() && Word(j + 1) == Word(j);
  }
  [[nodiscard]] std::pair<Integer, Integer> ContextCredit(std::size_t j,
                                                         std::size_t at);

  const PreparedText& source_;
  const PreparedText& target_;
  TargetIndex index_;
  UnconsumedTarget unconsumed_;
  ReversedTarget reversed_target_;
};

void DirectionScan::Run(Integer direction, ComparisonState& state,
                        const WordObserver& onWord) {
  for (std::size_t j = 0; j < source_.words().size(); ++j) {
    const TextView w = Word(j);
    WordStep step{w};
    step.source_start = source_.words()[j].start;
    const std::optional<std::size_t> at = unconsumed_.Find(w, 0);
    if (at) {
      step.position = static_cast<Integer>(*at + 1);
      if (onWord) step.target_start = unconsumed_.TargetIndexOf(*at);
      Integer& slot = DirectionScore(state, direction);
      if (source_.RestLength(j) > w.size()) {
        step.by_context = true;
        std::tie(step.following, step.preceding) = ContextCredit(j, *at);
        slot = AddInteger(AddInteger(slot, step.following), step.preceding);
      } else {
        slot = AddInteger(slot, 1);
      }
      unconsumed_.Consume(*at);
    }
    step.score = DirectionScore(state, direction);
    if (onWord) onWord(step);
    // The rest being this very word again ends the scan unexamined.
    if (at && RestIsSameWord(j)) return;
  }
}

// The following run is counted from the source's first occurrence of the
// rest onwards, against the unconsumed target behind this occurrence less the
// one unit right behind it; the preceding run on the reversed texts in front
// of that first occurrence of the rest and of w's first occurrence in the
// whole target.
std::pair<Integer, Integer> DirectionScan::ContextCredit(std::size_t j,
                                                        std::size_t at) {
  const TextView w = Word(j);
  const TextView source = source_.text();
  const std::size_t restStart = source_.RestFirstStart(j);
  // The rest may first occur so early that nothing stands in front of w there.
  const std::size_t beforeLength = restStart >= w.size() + 1 ? restStart - w.size() - 1 : 0;
  const TextView precA = source_.reversed().substr(source.size() - beforeLength);
  const std::size_t firstInTarget = index_.First(w);
  const std::size_t precBStart = target_.text().size() - firstInTarget;

  const TextView follA = source.substr(restStart);
  Integer following = CountRun(follA, unconsumed_, at + w.size() + 1, [&] {
    return RunOfCopy(follA, source_.WordsEndingBehind(restStart), source_);
  });
  const Integer preceding = CountRun(precA, reversed_target_, precBStart, [&] {
    return RunOfCopy(precA, source_.WordsStartingBefore(beforeLength), source_);
  });
  if (AddInteger(following, preceding) == 0) following = 1;
  return {following, preceding};
}

}  // namespace

void ScoreDirection(Integer direction, const PreparedText& text1,
                    const PreparedText& text2, ComparisonState& state,
                    const WordObserver& onWord, const ShortTexts* shortTexts) {
  if (shortTexts != nullptr) {
    ScanWords(direction, *shortTexts, state, onWord);
    return;
  }
  const auto [source, target] = SourceAndTarget(direction, text1, text2);
  DirectionScan(source, target, static_cast<bool>(onWord)).Run(direction, state, onWord);
}

void ScoreDirection(Integer direction, TextView text1, TextView text2,
                    ComparisonState& state, const WordObserver& onWord) {
  const PreparedText prepared1(text1);
  const PreparedText prepared2(text2);
  const std::optional<ShortTexts> shortTexts = ShortTexts::Of(prepared1, prepared2);
  ScoreDirection(direction, prepared1, prepared2, state, onWord,
                 shortTexts ? &*shortTexts : nullptr);
}

}  // namespace velmoro::internal

namespace velmoro {

using internal::CountRun;
using internal::PlainText;
using internal::RunOfCopy;
using internal::ScoreDirection;
using internal::WordObserver;

Integer CountWordRun(TextView a, TextView b) {
  PlainText haystack(b);
  return CountRun(a, haystack, 0, [a] { return RunOfCopy(a); });
}

void ScoreDirection(Integer direction, TextView text1, TextView text2, ComparisonState& state) {
  ScoreDirection(direction, text1, text2, state, WordObserver{});
}

}  // namespace velmoro
