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

namespace velmoro::internal {

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
    return needle.id == kPieceOfWord ? all_ : target_holding_[needle.id];
  }
  [[nodiscard]] Needle SourceWord(std::size_t i) const {
    const WordSpan& span = source_words_[i];
    return {source_ids_[i], UnitsOf(source_.text(), span.start, span.length)};
  }
  // The source's units from first to end, read backwards.
  [[nodiscard]] TextView ReversedSource(std::size_t first, std::size_t end) const {
    return UnitsOf(source_.reversed(), source_.text().size() - end, end - first);
  }
  // The first length units of target word k, read backwards.
  [[nodiscard]] TextView ReversedTarget(std::size_t k, std::size_t length) const {
    const std::size_t start = target_words_[k].start;
    return UnitsOf(target_.reversed(), target_.text().size() - start - length, length);
  }
  [[nodiscard]] std::size_t PieceLength(std::size_t k) const {
    return intact_.Contains(k) ? target_words_[k].length : cut_length_[k];
  }
  [[nodiscard]] TextView Piece(std::size_t k, std::size_t length) const {
    return UnitsOf(target_.text(), target_words_[k].start, length);
  }
  // Whether place holds the whole target word that needle id was found as.
  [[nodiscard]] bool WholeWordFound(const RunPlace& place, WordId id) const {
    return place.offset == 0 && place.length == target_words_[place.word].length &&
           target_ids_[place.word] == id;
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
  std::size_t source_index_;
  bool against_itself_;
  const PreparedText& source_;
  const PreparedText& target_;
  const std::vector<WordSpan>& source_words_;
  const std::vector<WordSpan>& target_words_;
  std::span<const WordId> source_ids_;
  std::span<const WordId> target_ids_;
  // The target's set for each word of the vocabulary (ShortTexts::Holding).
  const WordSet* target_holding_;
  WordSet all_;         // every target word
  WordSet unconsumed_;  // the target words left, whole or cut
  WordSet intact_;      // those of them not cut
  std::array<std::uint32_t, WordSet::kCapacity> cut_length_{};
  bool lead_ = false;   // whether the unconsumed target begins with a space
  // How many first and last words the source and the target share.
  std::size_t common_front_ = 0;
  std::size_t common_back_ = 0;
  // The source words that stand inside the word in front of them, and those
  // inside the word behind them (equal ones too).
  WordSet nested_in_front_;
  WordSet nested_behind_;
  // Where the last following run found each of its words, and the source
  // word it was the run of, counted from runStart_ on; runFor_ is kNoWord
  // when the places are not known. The thread's one list serves every scan.
  internal::Lease<std::vector<RunPlace>> runs_;
  std::vector<RunPlace>& run_ = *runs_;
  std::size_t run_start_ = 0;
  std::size_t run_for_ = kNoWord;
  // The last preceding run: the source word it was the run of (kNoWord unless
  // its rest first occurs at its own place), that word's first occurrence in
  // the target, and the run.
  struct PrecedingOf {
    std::size_t word = kNoWord;
    Found first;
    Integer count = 0;
  };
  PrecedingOf last_preceding_;
};

WordScan::WordScan(const ShortTexts& texts, std::size_t source, std::size_t target)
    : texts_(texts),
      source_index_(source),
      against_itself_(source == target),
      source_(texts.text(source)),
      target_(texts.text(target)),
      source_words_(source_.words()),
      target_words_(target_.words()),
      source_ids_(texts.ids(source)),
      target_ids_(texts.ids(target)),
      target_holding_(texts.HoldingSets(target)),
      all_(WordSet::FirstWords(target_words_.size())),
      unconsumed_(all_),
      intact_(all_) {
  const std::size_t shorter = std::min(source_ids_.size(), target_ids_.size());
  if (against_itself_) {
    common_front_ = common_back_ = shorter;
  }
  while (common_front_ < shorter && source_ids_[common_front_] == target_ids_[common_front_]) {
    ++common_front_;
  }
  while (common_back_ < shorter && source_ids_[source_ids_.size() - 1 - common_back_] ==
                                      target_ids_[target_ids_.size() - 1 - common_back_]) {
    ++common_back_;
  }
  for (std::size_t i = 1; i < source_ids_.size(); ++i) {
    if (texts.Holding(source, source_ids_[i]).Contains(i - 1)) nested_in_front_.Insert(i);
    if (texts.Holding(source, source_ids_[i - 1]).Contains(i)) nested_behind_.Insert(i - 1);
  }
}

void WordScan::Run(Integer direction, ComparisonState& state, const WordObserver& onWord) {
  Integer& slot = DirectionScore(state, direction);
  for (std::size_t j = 0; j < source_words_.size(); ++j) {
    const Needle w = SourceWord(j);
    // A text scanned against itself finds each word whole at its own place:
    // the words in front of it were consumed there, one by one.
    const std::optional<Found> at = against_itself_ ? Found{j, 0} : FindUnconsumed(w, 0);
    WordStep step{w.text};
    if (at) {
      if (onWord) {
        step.position = static_cast<Integer>(Position(*at));
        step.target_start = target_words_[at->word].start + at->offset;
      }
      if (source_.RestLength(j) > w.text.size()) {
        step.by_context = true;
        std::tie(step.following, step.preceding) = ContextCredit(j, *at);
        slot = AddInteger(AddInteger(slot, step.following), step.preceding);
      } else {
        slot = AddInteger(slot, 1);
      }
      Consume(*at);
    }
    if (onWord) {
      step.source_start = source_words_[j].start;
      step.score = slot;
      onWord(step);
    }
    // The rest being this very word again ends the scan unexamined.
    if (at && j + 2 == source_words_.size() && source_ids_[j + 1] == source_ids_[j]) return;
  }
}

// A piece is found whole only in a whole word, and a word inside a longer
// one is searched for there.
std::optional<std::size_t> WordScan::OffsetInPiece(std::size_t k, const Needle& needle) const {
  if (needle.id == target_ids_[k]) {
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
          (against_itself_ || WordSet::FirstOfBothFrom(unconsumed_, all_, 0) == found.word);
  intact_.Erase(found.word);
  if (found.offset > 0) {
    cut_length_[found.word] = static_cast<std::uint32_t>(found.offset);
  } else {
    unconsumed_.Erase(found.word);
  }
}

std::pair<Integer, Integer> WordScan::ContextCredit(std::size_t j, const Found& found) {
  const std::size_t restStart = texts_.RestFirstStart(source_index_, j);
  // Against itself, a text whose rest behind word j first occurs at its own
  // place, and where no word in front holds word j, reads on from word j as
  // it does and reads back from it as it does: every other word is in the
  // runs.
  if (against_itself_ && restStart == source_words_[j + 1].start &&
      WordSet::FirstOfBothFrom(all_, Holding(SourceWord(j)), 0) == j) {
    return {static_cast<Integer>(source_words_.size() - j - 1), static_cast<Integer>(j)};
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
  const std::size_t words = source_words_.size();
  const bool ownPlace = restStart == source_words_[j + 1].start;
  // Against itself the target left behind word j reads on as the rest does.
  if (ownPlace && against_itself_) return static_cast<Integer>(words - j - 1);
  if (ownPlace) {
    if (const std::optional<Integer> rest = RestOfLastRun(j, found)) return *rest;
  }
  run_for_ = kNoWord;
  const std::size_t length = PieceLength(found.word);
  const std::size_t behind = found.offset + source_words_[j].length + 1;
  if (ownPlace && behind >= length) {
    // A target that reads on word for word as the rest does holds each word
    // of it at or before its own place.
    const std::size_t rest = words - j - 1;
    const std::size_t tail = target_words_.size() - rest;
    if (rest <= common_back_ && tail > found.word &&
        WordSet::FirstOfBothFrom(unconsumed_, all_, found.word + 1) == tail &&
        intact_.FirstMissingFrom(tail) >= target_words_.size()) {
      return static_cast<Integer>(rest);
    }
  }
  if (ownPlace) run_for_ = j;
  run_.clear();
  run_start_ = 0;
  RunPlace place{found.word, length, behind};
  if (!FindFollowing(SourceWord(j + 1), place)) return 0;
  run_.push_back(place);
  WordId previous = source_ids_[j + 1];
  std::size_t i = ownPlace ? j + 2 : source_.WordsStartingBefore(restStart + 1);
  while (i < words) {
    const Needle needle = SourceWord(i);
    // Words found whole, one behind the other, need no search.
    if (WholeWordFound(place, previous) && !Holding(needle).Contains(place.word)) {
      const std::size_t next = place.word + 1;
      if (const std::size_t run = WordsReadingOn(i, next, words - i); run > 0) {
        for (std::size_t k = next; k < next + run; ++k) {
          run_.push_back({k, target_words_[k].length, 0});
        }
        place = run_.back();
        i += run;
        previous = source_ids_[i - 1];
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
  if (run_for_ + 1 != j || run_start_ >= run_.size()) return std::nullopt;
  const RunPlace& first = run_[run_start_];
  if (first.word != found.word || first.offset != found.offset) return std::nullopt;
  if (run_start_ + 1 < run_.size()) {
    const RunPlace& next = run_[run_start_ + 1];
    if (next.word == found.word && next.offset <= found.offset + source_words_[j].length) {
      return std::nullopt;
    }
  }
  run_for_ = j;
  ++run_start_;
  return static_cast<Integer>(run_.size() - run_start_);
}

// The number, at most most, of source words from i on that stand whole, one
// after the other, in the intact target words from k on, each outside the
// word in front of it.
std::size_t WordScan::WordsReadingOn(std::size_t i, std::size_t k, std::size_t most) const {
  const std::size_t end = std::min(intact_.FirstMissingFrom(k), target_words_.size());
  std::size_t run = 0;
  while (run < most && k + run < end && source_ids_[i + run] == target_ids_[k + run] &&
         (run == 0 || !nested_in_front_.Contains(i + run))) {
    ++run;
  }
  return run;
}

// The source in front of word j's part of the rest's first occurrence, and
// the target in front of word j's first occurrence, both read backwards.
Integer WordScan::PrecedingRun(std::size_t j, std::size_t restStart) {
  const Needle w = SourceWord(j);
  const std::size_t first = WordSet::FirstOfBothFrom(all_, Holding(w), 0);
  const Found firstFound{first, target_ids_[first] == w.id ? 0 : FindUnits(
      Piece(first, target_words_[first].length), w.text)};
  const bool ownPlace = restStart == source_words_[j + 1].start;
  const Integer count = CountPreceding(j, restStart, firstFound, ownPlace);
  last_preceding_ = {ownPlace ? j : kNoWord, firstFound, count};
  return count;
}

Integer WordScan::CountPreceding(std::size_t j, std::size_t restStart, const Found& first,
                                 bool ownPlace) const {
  // The rest may first occur so early that nothing stands in front of w there.
  const std::size_t wordLength = source_words_[j].length;
  const std::size_t beforeLength = restStart >= wordLength + 1 ? restStart - wordLength - 1 : 0;
  std::size_t before = ownPlace ? j : source_.WordsStartingBefore(beforeLength);
  const bool cutInFront = before > 0 && source_words_[before - 1].end() > beforeLength;
  if (!cutInFront && first.offset == 0 && first.word == before && before <= common_front_) {
    return static_cast<Integer>(before);
  }
  RunPlace place{first.word, first.offset, 0};
  Integer count = 0;
  WordId previous = kPieceOfWord;
  if (cutInFront) {
    --before;
    const Needle piece{kPieceOfWord, ReversedSource(source_words_[before].start, beforeLength)};
    if (!FindPreceding(piece, place)) return 0;
    count = 1;
  }
  std::size_t i = before;
  while (i > 0) {
    const Needle needle{source_ids_[i - 1],
                        ReversedSource(source_words_[i - 1].start, source_words_[i - 1].end())};
    if (place.word > 0 && WholeWordFound(place, previous) &&
        !Holding(needle).Contains(place.word)) {
      if (const std::size_t run = WordsReadingBack(i - 1, place.word - 1, i); run > 0) {
        place = {place.word - run, target_words_[place.word - run].length, 0};
        count = AddInteger(count, static_cast<Integer>(run));
        i -= run;
        previous = source_ids_[i];
        continue;
      }
    }
    if (!FindPreceding(needle, place)) return count;
    if (ownPlace && i == j && GoesOnAsLastPreceding(j, place)) {
      return AddInteger(last_preceding_.count, 1);
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
  if (last_preceding_.word + 1 != j) return false;
  const Found& first = last_preceding_.first;
  const std::size_t end = place.length - place.offset;
  return place.word == first.word && end == first.offset + source_words_[j - 1].length &&
         (j < 2 || !Holding(SourceWord(j - 2)).Contains(place.word));
}

// The same backwards: source words from i down and target words from k
// down, each outside the word behind it.
std::size_t WordScan::WordsReadingBack(std::size_t i, std::size_t k, std::size_t most) const {
  std::size_t run = 0;
  while (run < most && run <= k && source_ids_[i - run] == target_ids_[k - run] &&
         (run == 0 || !nested_behind_.Contains(i - run))) {
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
    const std::size_t length = target_words_[k].length;
    const std::size_t offset =
        needle.id == target_ids_[k] ? 0 : FindUnits(ReversedTarget(k, length), needle.text);
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

}  // namespace velmoro::internal
