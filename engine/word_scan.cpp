#include "word_scan.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "direction_scorer.h"
#include "substring_search.h"
#include "thread_workspace.h"

namespace velmoro {

namespace {

constexpr std::size_t kNoWord = WordSet::kCapacity;

// The number of a needle that is a piece of a word, in no vocabulary.
constexpr WordId kPieceOfWord = 0xFFFF;

// A word a search looks for: its number, and its text as the search reads it
// (reversed in the preceding run).
struct Needle {
  WordId id = kPieceOfWord;
  TextView text;
};

// Where a run has found its last word: the target word, how many of its
// first units the run reads, and where in them the occurrence starts.
struct RunPlace {
  std::size_t word = kNoWord;
  std::size_t length = 0;
  std::size_t offset = 0;
};

// A word of the unconsumed target and where in it a search found its needle.
struct Found {
  std::size_t word = kNoWord;
  std::size_t offset = 0;
};

// The length units of text from start on, which the caller knows to lie
// within it: the scan takes views of known words and pieces of them many
// times a word.
[[nodiscard]] TextView UnitsOf(TextView text, std::size_t start, std::size_t length) {
  return {text.data() + start, length};
}

class WordScan {
 public:
  WordScan(const ShortTexts& texts, std::size_t source, std::size_t target);

  void Run(Integer direction, ComparisonState& state, const WordObserver& onWord);

 private:
  [[nodiscard]] const WordSet& Holding(const Needle& needle) const {
    return needle.id == kPieceOfWord ? all_ : targetHolding_[needle.id];
  }
  [[nodiscard]] Needle SourceWord(std::size_t i) const {
    const WordSpan& span = sourceWords_[i];
    return {sourceIds_[i], UnitsOf(source_.text(), span.start, span.length)};
  }
  // The source's units from first to end, read backwards.
  [[nodiscard]] TextView ReversedSource(std::size_t first, std::size_t end) const {
    return UnitsOf(source_.reversed(), source_.text().size() - end, end - first);
  }
  // The first length units of target word k, read backwards.
  [[nodiscard]] TextView ReversedTarget(std::size_t k, std::size_t length) const {
    const std::size_t start = targetWords_[k].start;
    return UnitsOf(target_.reversed(), target_.text().size() - start - length, length);
  }
  [[nodiscard]] std::size_t PieceLength(std::size_t k) const {
    return intact_.Contains(k) ? targetWords_[k].length : cutLength_[k];
  }
  [[nodiscard]] TextView Piece(std::size_t k, std::size_t length) const {
    return UnitsOf(target_.text(), targetWords_[k].start, length);
  }
  // Whether place holds the whole target word that needle id was found as.
  [[nodiscard]] bool WholeWordFound(const RunPlace& place, WordId id) const {
    return place.offset == 0 && place.length == targetWords_[place.word].length &&
           targetIds_[place.word] == id;
  }

  [[nodiscard]] std::optional<std::size_t> OffsetInPiece(std::size_t k,
                                                         const Needle& needle) const;
  [[nodiscard]] std::optional<Found> FindUnconsumed(const Needle& needle,
                                                    std::size_t from) const;
  [[nodiscard]] std::size_t Position(const Found& found) const;
  void Consume(const Found& found);

  [[nodiscard]] std::pair<Integer, Integer> ContextCredit(std::size_t j, const Found& found);
  [[nodiscard]] Integer FollowingRun(std::size_t j, std::size_t restStart, const Found& found);
  [[nodiscard]] std::optional<Integer> RestOfLastRun(std::size_t j, const Found& found);
  [[nodiscard]] Integer PrecedingRun(std::size_t j, std::size_t restStart);
  [[nodiscard]] Integer CountPreceding(std::size_t j, std::size_t restStart, const Found& first,
                                       bool ownPlace) const;
  [[nodiscard]] bool GoesOnAsLastPreceding(std::size_t j, const RunPlace& place) const;
  [[nodiscard]] bool FindFollowing(const Needle& needle, RunPlace& place) const;
  [[nodiscard]] bool FindPreceding(const Needle& needle, RunPlace& place) const;
  [[nodiscard]] std::size_t WordsReadingOn(std::size_t i, std::size_t k,
                                           std::size_t most) const;
  [[nodiscard]] std::size_t WordsReadingBack(std::size_t i, std::size_t k,
                                             std::size_t most) const;

  const ShortTexts& texts_;
  std::size_t sourceIndex_;
  bool againstItself_;
  const PreparedText& source_;
  const PreparedText& target_;
  const std::vector<WordSpan>& sourceWords_;
  const std::vector<WordSpan>& targetWords_;
  std::span<const WordId> sourceIds_;
  std::span<const WordId> targetIds_;
  // The target's set for each word of the vocabulary (ShortTexts::Holding).
  const WordSet* targetHolding_;
  WordSet all_;         // every target word
  WordSet unconsumed_;  // the target words left, whole or cut
  WordSet intact_;      // those of them not cut
  std::array<std::uint32_t, WordSet::kCapacity> cutLength_{};
  bool lead_ = false;   // whether the unconsumed target begins with a space
  // How many first and last words the source and the target share.
  std::size_t commonFront_ = 0;
  std::size_t commonBack_ = 0;
  // The source words that stand inside the word in front of them, and those
  // inside the word behind them (equal ones too).
  WordSet nestedInFront_;
  WordSet nestedBehind_;
  // Where the last following run found each of its words, and the source
  // word it was the run of, counted from runStart_ on; runFor_ is kNoWord
  // when the places are not known. The thread's one list serves every scan.
  internal::Lease<std::vector<RunPlace>> runs_;
  std::vector<RunPlace>& run_ = *runs_;
  std::size_t runStart_ = 0;
  std::size_t runFor_ = kNoWord;
  // The last preceding run: the source word it was the run of (kNoWord unless
  // its rest first occurs at its own place), that word's first occurrence in
  // the target, and the run.
  struct PrecedingOf {
    std::size_t word = kNoWord;
    Found first;
    Integer count = 0;
  };
  PrecedingOf lastPreceding_;
};

WordScan::WordScan(const ShortTexts& texts, std::size_t source, std::size_t target)
    : texts_(texts),
      sourceIndex_(source),
      againstItself_(source == target),
      source_(texts.text(source)),
      target_(texts.text(target)),
      sourceWords_(source_.words()),
      targetWords_(target_.words()),
      sourceIds_(texts.ids(source)),
      targetIds_(texts.ids(target)),
      targetHolding_(texts.HoldingSets(target)),
      all_(WordSet::FirstWords(targetWords_.size())),
      unconsumed_(all_),
      intact_(all_) {
  const std::size_t shorter = std::min(sourceIds_.size(), targetIds_.size());
  if (againstItself_) {
    commonFront_ = commonBack_ = shorter;
  }
  while (commonFront_ < shorter && sourceIds_[commonFront_] == targetIds_[commonFront_]) {
    ++commonFront_;
  }
  while (commonBack_ < shorter && sourceIds_[sourceIds_.size() - 1 - commonBack_] ==
                                      targetIds_[targetIds_.size() - 1 - commonBack_]) {
    ++commonBack_;
  }
  for (std::size_t i = 1; i < sourceIds_.size(); ++i) {
    if (texts.Holding(source, sourceIds_[i]).Contains(i - 1)) nestedInFront_.Insert(i);
    if (texts.Holding(source, sourceIds_[i - 1]).Contains(i)) nestedBehind_.Insert(i - 1);
  }
}

void WordScan::Run(Integer direction, ComparisonState& state, const WordObserver& onWord) {
  Integer& slot = DirectionScore(state, direction);
  for (std::size_t j = 0; j < sourceWords_.size(); ++j) {
    const Needle w = SourceWord(j);
    // A text scanned against itself finds each word whole at its own place:
    // the words in front of it were consumed there, one by one.
    const std::optional<Found> at = againstItself_ ? Found{j, 0} : FindUnconsumed(w, 0);
    WordStep step{w.text};
    if (at) {
      if (onWord) {
        step.position = static_cast<Integer>(Position(*at));
        step.targetStart = targetWords_[at->word].start + at->offset;
      }
      if (source_.RestLength(j) > w.text.size()) {
        step.byContext = true;
        std::tie(step.following, step.preceding) = ContextCredit(j, *at);
        slot = AddInteger(AddInteger(slot, step.following), step.preceding);
      } else {
        slot = AddInteger(slot, 1);
      }
      Consume(*at);
    }
    if (onWord) {
      step.sourceStart = sourceWords_[j].start;
      step.score = slot;
      onWord(step);
    }
    // The rest being this very word again ends the scan unexamined.
    if (at && j + 2 == sourceWords_.size() && sourceIds_[j + 1] == sourceIds_[j]) return;
  }
}

// A piece is found whole only in a whole word, and a word inside a longer
// one is searched for there.
std::optional<std::size_t> WordScan::OffsetInPiece(std::size_t k, const Needle& needle) const {
  if (needle.id == targetIds_[k]) {
    if (!intact_.Contains(k)) return std::nullopt;
    return 0;
  }
  const std::size_t offset = FindUnits(Piece(k, PieceLength(k)), needle.text);
  if (offset == kNotFound) return std::nullopt;
  return offset;
}

std::optional<Found> WordScan::FindUnconsumed(const Needle& needle, std::size_t from) const {
  const WordSet& holding = Holding(needle);
  for (std::size_t k = WordSet::FirstOfBothFrom(unconsumed_, holding, from); k != kNoWord;
       k = WordSet::FirstOfBothFrom(unconsumed_, holding, k + 1)) {
    if (const std::optional<std::size_t> offset = OffsetInPiece(k, needle)) {
      return Found{k, *offset};
    }
  }
  return std::nullopt;
}

// The unconsumed target is its pieces one space apart, after a leading space
// when the last consumption left nothing in front.
std::size_t WordScan::Position(const Found& found) const {
  std::size_t position = (lead_ ? 1 : 0) + found.offset + 1;
  for (std::size_t k = WordSet::FirstOfBothFrom(unconsumed_, all_, 0); k < found.word;
       k = WordSet::FirstOfBothFrom(unconsumed_, all_, k + 1)) {
    position += PieceLength(k) + 1;
  }
  return position;
}

// Consuming removes the occurrence and the rest of its word, keeping the
// part of the word in front of it.
void WordScan::Consume(const Found& found) {
  // Against itself the scan consumes the first word left every time.
  lead_ = found.offset == 0 &&
          (againstItself_ || WordSet::FirstOfBothFrom(unconsumed_, all_, 0) == found.word);
  intact_.Erase(found.word);
  if (found.offset > 0) {
    cutLength_[found.word] = static_cast<std::uint32_t>(found.offset);
  } else {
    unconsumed_.Erase(found.word);
  }
}

std::pair<Integer, Integer> WordScan::ContextCredit(std::size_t j, const Found& found) {
  const std::size_t restStart = texts_.RestFirstStart(sourceIndex_, j);
  // Against itself, a text whose rest behind word j first occurs at its own
  // place, and where no word in front holds word j, reads on from word j as
  // it does and reads back from it as it does: every other word is in the
  // runs.
  if (againstItself_ && restStart == sourceWords_[j + 1].start &&
      WordSet::FirstOfBothFrom(all_, Holding(SourceWord(j)), 0) == j) {
    return {static_cast<Integer>(sourceWords_.size() - j - 1), static_cast<Integer>(j)};
  }
  Integer following = FollowingRun(j, restStart, found);
  const Integer preceding = PrecedingRun(j, restStart);
  if (AddInteger(following, preceding) == 0) following = 1;
  return {following, preceding};
}

// The source from the rest's first occurrence on is word j + 1, then the
// words behind the one that occurrence starts in. The target is the
// unconsumed one from one unit behind the occurrence of word j.
Integer WordScan::FollowingRun(std::size_t j, std::size_t restStart, const Found& found) {
  const std::size_t words = sourceWords_.size();
  const bool ownPlace = restStart == sourceWords_[j + 1].start;
  // Against itself the target left behind word j reads on as the rest does.
  if (ownPlace && againstItself_) return static_cast<Integer>(words - j - 1);
  if (ownPlace) {
    if (const std::optional<Integer> rest = RestOfLastRun(j, found)) return *rest;
  }
  runFor_ = kNoWord;
  const std::size_t length = PieceLength(found.word);
  const std::size_t behind = found.offset + sourceWords_[j].length + 1;
  if (ownPlace && behind >= length) {
    // A target that reads on word for word as the rest does holds each word
    // of it at or before its own place.
    const std::size_t rest = words - j - 1;
    const std::size_t tail = targetWords_.size() - rest;
    if (rest <= commonBack_ && tail > found.word &&
        WordSet::FirstOfBothFrom(unconsumed_, all_, found.word + 1) == tail &&
        intact_.FirstMissingFrom(tail) >= targetWords_.size()) {
      return static_cast<Integer>(rest);
    }
  }
  if (ownPlace) runFor_ = j;
  run_.clear();
  runStart_ = 0;
  RunPlace place{found.word, length, behind};
  if (!FindFollowing(SourceWord(j + 1), place)) return 0;
  run_.push_back(place);
  WordId previous = sourceIds_[j + 1];
  std::size_t i = ownPlace ? j + 2 : source_.WordsStartingBefore(restStart + 1);
  while (i < words) {
    const Needle needle = SourceWord(i);
    // Words found whole, one behind the other, need no search.
    if (WholeWordFound(place, previous) && !Holding(needle).Contains(place.word)) {
      const std::size_t next = place.word + 1;
      if (const std::size_t run = WordsReadingOn(i, next, words - i); run > 0) {
        for (std::size_t k = next; k < next + run; ++k) {
          run_.push_back({k, targetWords_[k].length, 0});
        }
        place = run_.back();
        i += run;
        previous = sourceIds_[i - 1];
        continue;
      }
    }
    if (!FindFollowing(needle, place)) break;
    run_.push_back(place);
    previous = needle.id;
    ++i;
  }
  return static_cast<Integer>(run_.size());
}

// The run of word j - 1 found the words from j on at the places in run_.
// When word j stands at the first of them and the next lies behind word j's
// own occurrence, the target from there on is the same as it was (what word
// j - 1 consumed lies in front), so the run of word j is that run without its
// first word.
std::optional<Integer> WordScan::RestOfLastRun(std::size_t j, const Found& found) {
  if (runFor_ + 1 != j || runStart_ >= run_.size()) return std::nullopt;
  const RunPlace& first = run_[runStart_];
  if (first.word != found.word || first.offset != found.offset) return std::nullopt;
  if (runStart_ + 1 < run_.size()) {
    const RunPlace& next = run_[runStart_ + 1];
    if (next.word == found.word && next.offset <= found.offset + sourceWords_[j].length) {
      return std::nullopt;
    }
  }
  runFor_ = j;
  ++runStart_;
  return static_cast<Integer>(run_.size() - runStart_);
}

// The number, at most most, of source words from i on that stand whole, one
// after the other, in the intact target words from k on, each outside the
// word in front of it.
std::size_t WordScan::WordsReadingOn(std::size_t i, std::size_t k, std::size_t most) const {
  const std::size_t end = std::min(intact_.FirstMissingFrom(k), targetWords_.size());
  std::size_t run = 0;
  while (run < most && k + run < end && sourceIds_[i + run] == targetIds_[k + run] &&
         (run == 0 || !nestedInFront_.Contains(i + run))) {
    ++run;
  }
  return run;
}

// The source in front of word j's part of the rest's first occurrence, and
// the target in front of word j's first occurrence, both read backwards.
Integer WordScan::PrecedingRun(std::size_t j, std::size_t restStart) {
  const Needle w = SourceWord(j);
  const std::size_t first = WordSet::FirstOfBothFrom(all_, Holding(w), 0);
  const Found firstFound{first, targetIds_[first] == w.id ? 0 : FindUnits(
      Piece(first, targetWords_[first].length), w.text)};
  const bool ownPlace = restStart == sourceWords_[j + 1].start;
  const Integer count = CountPreceding(j, restStart, firstFound, ownPlace);
  lastPreceding_ = {ownPlace ? j : kNoWord, firstFound, count};
  return count;
}

Integer WordScan::CountPreceding(std::size_t j, std::size_t restStart, const Found& first,
                                 bool ownPlace) const {
  // The rest may first occur so early that nothing stands in front of w there.
  const std::size_t wordLength = sourceWords_[j].length;
  const std::size_t beforeLength = restStart >= wordLength + 1 ? restStart - wordLength - 1 : 0;
  std::size_t before = ownPlace ? j : source_.WordsStartingBefore(beforeLength);
  const bool cutInFront = before > 0 && sourceWords_[before - 1].end() > beforeLength;
  if (!cutInFront && first.offset == 0 && first.word == before && before <= commonFront_) {
    return static_cast<Integer>(before);
  }
  RunPlace place{first.word, first.offset, 0};
  Integer count = 0;
  WordId previous = kPieceOfWord;
  if (cutInFront) {
    --before;
    const Needle piece{kPieceOfWord, ReversedSource(sourceWords_[before].start, beforeLength)};
    if (!FindPreceding(piece, place)) return 0;
    count = 1;
  }
  std::size_t i = before;
  while (i > 0) {
    const Needle needle{sourceIds_[i - 1],
                        ReversedSource(sourceWords_[i - 1].start, sourceWords_[i - 1].end())};
    if (place.word > 0 && WholeWordFound(place, previous) &&
        !Holding(needle).Contains(place.word)) {
      if (const std::size_t run = WordsReadingBack(i - 1, place.word - 1, i); run > 0) {
        place = {place.word - run, targetWords_[place.word - run].length, 0};
        count = AddInteger(count, static_cast<Integer>(run));
        i -= run;
        previous = sourceIds_[i];
        continue;
      }
    }
    if (!FindPreceding(needle, place)) return count;
    if (ownPlace && i == j && GoesOnAsLastPreceding(j, place)) {
      return AddInteger(lastPreceding_.count, 1);
    }
    count = AddInteger(count, 1);
    previous = needle.id;
    --i;
  }
  return count;
}

// The preceding run of word j - 1 searched the target in front of that
// word's first occurrence. When word j's run finds word j - 1 there, it goes
// on exactly as that run did, unless word j - 2 can stand inside the
// occurrence, which only word j's run searches.
bool WordScan::GoesOnAsLastPreceding(std::size_t j, const RunPlace& place) const {
  if (lastPreceding_.word + 1 != j) return false;
  const Found& first = lastPreceding_.first;
  const std::size_t end = place.length - place.offset;
  return place.word == first.word && end == first.offset + sourceWords_[j - 1].length &&
         (j < 2 || !Holding(SourceWord(j - 2)).Contains(place.word));
}

// The same backwards: source words from i down and target words from k
// down, each outside the word behind it.
std::size_t WordScan::WordsReadingBack(std::size_t i, std::size_t k, std::size_t most) const {
  std::size_t run = 0;
  while (run < most && run <= k && sourceIds_[i - run] == targetIds_[k - run] &&
         (run == 0 || !nestedBehind_.Contains(i - run))) {
    ++run;
  }
  return run;
}

// The next occurrence in the piece the last one stands in, from its start
// on, or else in the first unconsumed word behind it that holds the needle.
bool WordScan::FindFollowing(const Needle& needle, RunPlace& place) const {
  if (Holding(needle).Contains(place.word)) {
    const std::size_t offset =
        FindUnits(Piece(place.word, place.length), needle.text, place.offset);
    if (offset != kNotFound) {
      place.offset = offset;
      return true;
    }
  }
  const std::optional<Found> found = FindUnconsumed(needle, place.word + 1);
  if (!found) return false;
  place = {found->word, PieceLength(found->word), found->offset};
  return true;
}

// The same over the whole target read backwards, from the last occurrence
// towards the target's start.
bool WordScan::FindPreceding(const Needle& needle, RunPlace& place) const {
  const WordSet& holding = Holding(needle);
  if (holding.Contains(place.word)) {
    const std::size_t offset =
        FindUnits(ReversedTarget(place.word, place.length), needle.text, place.offset);
    if (offset != kNotFound) {
      place.offset = offset;
      return true;
    }
  }
  for (std::size_t k = WordSet::LastOfBothBelow(all_, holding, place.word); k != kNoWord;
       k = WordSet::LastOfBothBelow(all_, holding, k)) {
    const std::size_t length = targetWords_[k].length;
    const std::size_t offset =
        needle.id == targetIds_[k] ? 0 : FindUnits(ReversedTarget(k, length), needle.text);
    if (offset != kNotFound) {
      place = {k, length, offset};
      return true;
    }
  }
  return false;
}

}  // namespace

void ScanWords(Integer direction, const ShortTexts& texts, ComparisonState& state,
               const WordObserver& onWord) {
  constexpr std::size_t kText1 = 0;
  constexpr std::size_t kText2 = 1;
  const auto [source, target] = SourceAndTarget(direction, kText1, kText2);
  WordScan(texts, source, target).Run(direction, state, onWord);
}

}  // namespace velmoro
