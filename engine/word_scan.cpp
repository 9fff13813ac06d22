#include "word_scan.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "direction_scorer.h"
#include "substring_search.h"
#include "tuning.h"

namespace velmoro::internal {

namespace {

constexpr Place kNoPlace = ~Place{0};
constexpr std::size_t kNoWord = ~std::size_t{0};
constexpr std::size_t kNoEnd = ~std::size_t{0};

class WordScan {
 public:
  WordScan(const ShortTexts& texts, std::size_t source, std::size_t target);

  void Run(Integer direction, ComparisonState& state, const WordObserver& onWord);

 private:
  [[nodiscard]] std::size_t Length(std::size_t i) const { return source_words_[i].length; }
  // Source word i's places in the whole target.
  [[nodiscard]] std::span<const Place> TargetPlaces(std::size_t i) const {
    return texts_.Places(target_index_, source_ids_[i]);
  }
  // Whether the unconsumed target still holds a word of length units at place.
  [[nodiscard]] bool Holds(Place place, std::size_t length) const {
    return OffsetOf(place) + length <= piece_length_[WordOf(place)];
  }
  // Where in the target an occurrence of length units at place ends.
  [[nodiscard]] std::size_t EndOf(Place place, std::size_t length) const {
    return target_words_[WordOf(place)].start + OffsetOf(place) + length;
  }
  [[nodiscard]] std::size_t RestLength(std::size_t j) const {
    return j + 1 < source_words_.size() ? source_words_.back().end() - source_words_[j + 1].start
                                        : 0;
  }

  [[nodiscard]] Place FindUnconsumed(std::size_t i);
  [[nodiscard]] Place FindFrom(std::size_t i, Place from) const;
  [[nodiscard]] std::size_t Position(Place place) const;
  void Consume(Place place);

  [[nodiscard]] std::pair<Integer, Integer> ContextCredit(std::size_t j, Place at);
  [[nodiscard]] Integer FollowingRun(std::size_t j, std::size_t restStart, bool ownPlace,
                                     Place at);
  [[nodiscard]] std::optional<Integer> RestOfLastRun(std::size_t j, Place at);
  [[nodiscard]] Integer PrecedingRun(std::size_t j, std::size_t restStart, bool ownPlace);
  [[nodiscard]] bool GoesOnAsLastPreceding(std::size_t j, std::size_t limit) const;
  [[nodiscard]] std::size_t LastEndBy(std::size_t i, std::size_t limit) const;
  [[nodiscard]] std::size_t LastEndOfPieceBy(std::size_t word, std::size_t length,
                                             std::size_t limit) const;

  const ShortTexts& texts_;
  std::size_t source_index_;
  std::size_t target_index_;
  bool against_itself_;
  const PreparedText& source_;
  const PreparedText& target_;
  const std::vector<WordSpan>& source_words_;
  const std::vector<WordSpan>& target_words_;
  std::span<const WordId> source_ids_;
  // Each target piece's length: the units of its word still unconsumed.
  std::array<std::uint16_t, kWordScanWords> piece_length_;
  std::size_t first_left_ = 0;  // the first piece not consumed whole
  bool lead_ = false;           // whether the unconsumed target begins with a space
  // For each word of the vocabulary, how many of its target places are
  // known to be gone.
  std::array<std::uint16_t, 2 * kWordScanWords> gone_;
  // Where the last following run found each of its words, from run_start_
  // on, and the source word it was the run of; kNoWord when it was not a run
  // from a rest at its own place.
  std::array<Place, kWordScanWords> run_;
  std::size_t run_size_ = 0;
  std::size_t run_start_ = 0;
  std::size_t run_for_ = kNoWord;
  // The last preceding run of a word whose rest first occurs at its own
  // place, and that word; kNoWord when there is none.
  std::size_t preceding_for_ = kNoWord;
  Integer preceding_ = 0;
};

WordScan::WordScan(const ShortTexts& texts, std::size_t source, std::size_t target)
    : texts_(texts),
      source_index_(source),
      target_index_(target),
      against_itself_(source == target),
      source_(texts.text(source)),
      target_(texts.text(target)),
      source_words_(source_.words()),
      target_words_(target_.words()),
      source_ids_(texts.ids(source)) {
  for (std::size_t k = 0; k < target_words_.size(); ++k) {
    piece_length_[k] = static_cast<std::uint16_t>(target_words_[k].length);
  }
  // Against itself the scan finds each word at its own place without a search.
  if (!against_itself_) std::fill_n(gone_.begin(), texts.vocabulary_size(), 0);
}

void WordScan::Run(Integer direction, ComparisonState& state, const WordObserver& onWord) {
  Integer& slot = DirectionScore(state, direction);
  const std::size_t words = source_words_.size();
  for (std::size_t j = 0; j < words; ++j) {
    // A text scanned against itself finds each word whole at its own place:
    // the words in front of it were consumed there, one by one.
    const Place at = against_itself_ ? PlaceOf(j, 0) : FindUnconsumed(j);
    WordStep step{source_.text().substr(source_words_[j].start, Length(j))};
    if (at != kNoPlace) {
      if (onWord) {
        step.position = static_cast<Integer>(Position(at));
        step.target_start = EndOf(at, 0);
      }
      if (RestLength(j) > Length(j)) {
        step.by_context = true;
        std::tie(step.following, step.preceding) = ContextCredit(j, at);
        slot = AddInteger(AddInteger(slot, step.following), step.preceding);
      } else {
        slot = AddInteger(slot, 1);
      }
      Consume(at);
    }
    if (onWord) {
      step.source_start = source_words_[j].start;
      step.score = slot;
      onWord(step);
    }
    // The rest being this very word again ends the scan unexamined.
    if (at != kNoPlace && j + 2 == words && source_ids_[j + 1] == source_ids_[j]) return;
  }
}

// The first place still held, from where the last search stopped.
Place WordScan::FindUnconsumed(std::size_t i) {
  const std::span<const Place> places = TargetPlaces(i);
  std::uint16_t& gone = gone_[source_ids_[i]];
  while (gone < places.size() && !Holds(places[gone], Length(i))) ++gone;
  return gone < places.size() ? places[gone] : kNoPlace;
}

// The first place still held at or behind from.
Place WordScan::FindFrom(std::size_t i, Place from) const {
  const std::span<const Place> places = TargetPlaces(i);
  const std::size_t gone = against_itself_ ? 0 : gone_[source_ids_[i]];
  for (auto place = std::lower_bound(places.begin() + static_cast<std::ptrdiff_t>(gone),
                                     places.end(), from);
       place != places.end(); ++place) {
    if (Holds(*place, Length(i))) return *place;
  }
  return kNoPlace;
}

// The unconsumed target is its pieces one space apart, after a leading space
// when the last consumption left nothing in front.
std::size_t WordScan::Position(Place place) const {
  std::size_t position = (lead_ ? 1 : 0) + OffsetOf(place) + 1;
  for (std::size_t k = first_left_; k < WordOf(place); ++k) {
    if (piece_length_[k] > 0) position += std::size_t{piece_length_[k]} + 1;
  }
  return position;
}

// Consuming removes the occurrence and the rest of its piece, keeping the
// part of the piece in front of it.
void WordScan::Consume(Place place) {
  const std::size_t k = WordOf(place);
  lead_ = OffsetOf(place) == 0 && k == first_left_;
  piece_length_[k] = static_cast<std::uint16_t>(OffsetOf(place));
  while (first_left_ < target_words_.size() && piece_length_[first_left_] == 0) ++first_left_;
}

std::pair<Integer, Integer> WordScan::ContextCredit(std::size_t j, Place at) {
  const std::size_t restStart = texts_.RestFirstStart(source_index_, j);
  const bool ownPlace = restStart == source_words_[j + 1].start;
  // Against itself, a text whose rest behind word j first occurs at its own
  // place, and that holds word j nowhere in front of it, reads on from word j
  // as it does and reads back from it as it does: every other word is in the
  // runs.
  if (against_itself_ && ownPlace && TargetPlaces(j).front() == at) {
    preceding_for_ = j;
    preceding_ = static_cast<Integer>(j);
    return {static_cast<Integer>(source_words_.size() - j - 1), preceding_};
  }
  Integer following = FollowingRun(j, restStart, ownPlace, at);
  const Integer preceding = PrecedingRun(j, restStart, ownPlace);
  if (AddInteger(following, preceding) == 0) following = 1;
  return {following, preceding};
}

// The source from the rest's first occurrence on is word j + 1, then the
// words behind the one that occurrence starts in. The target is the
// unconsumed one from one unit behind the occurrence of word j; each next
// word is sought from where the last one was found.
Integer WordScan::FollowingRun(std::size_t j, std::size_t restStart, bool ownPlace, Place at) {
  const std::size_t words = source_words_.size();
  // Against itself the target left behind word j reads on as the rest does.
  if (ownPlace && against_itself_) return static_cast<Integer>(words - j - 1);
  if (ownPlace) {
    if (const std::optional<Integer> rest = RestOfLastRun(j, at)) return *rest;
  }
  run_for_ = ownPlace ? j : kNoWord;
  run_size_ = 0;
  run_start_ = 0;
  std::size_t i = ownPlace ? j + 2 : source_.WordsStartingBefore(restStart + 1);
  for (Place place = FindFrom(j + 1, PlaceOf(WordOf(at), OffsetOf(at) + Length(j) + 1));
       place != kNoPlace; place = i < words ? FindFrom(i++, place) : kNoPlace) {
    run_[run_size_++] = place;
  }
  return static_cast<Integer>(run_size_);
}

// The run of word j - 1 found the words from j on at the places in run_.
// When word j stands at the first of them and the next lies behind word j's
// own occurrence, the target from there on is the same as it was (what word
// j - 1 consumed lies in front), so the run of word j is that run without its
// first word.
std::optional<Integer> WordScan::RestOfLastRun(std::size_t j, Place at) {
  if (run_for_ == kNoWord || run_for_ + 1 != j || run_start_ >= run_size_) return std::nullopt;
  if (run_[run_start_] != at) return std::nullopt;
  if (run_start_ + 1 < run_size_) {
    const Place next = run_[run_start_ + 1];
    if (WordOf(next) == WordOf(at) && OffsetOf(next) <= OffsetOf(at) + Length(j)) {
      return std::nullopt;
    }
  }
  run_for_ = j;
  ++run_start_;
  return static_cast<Integer>(run_size_ - run_start_);
}

// The source in front of word j's part of the rest's first occurrence, and
// the target in front of word j's first occurrence, both read backwards:
// each word is sought among the places that end by where the last one found
// starts, the one that ends last.
Integer WordScan::PrecedingRun(std::size_t j, std::size_t restStart, bool ownPlace) {
  // The rest may first occur so early that nothing stands in front of w there.
  const std::size_t wordLength = Length(j);
  const std::size_t beforeLength = restStart >= wordLength + 1 ? restStart - wordLength - 1 : 0;
  std::size_t before = ownPlace ? j : source_.WordsStartingBefore(beforeLength);
  std::size_t limit = EndOf(TargetPlaces(j).front(), 0);
  Integer count = 0;
  if (before > 0 && source_words_[before - 1].end() > beforeLength) {
    --before;
    limit = LastEndOfPieceBy(before, beforeLength - source_words_[before].start, limit);
    if (limit == kNoEnd) before = 0;
    else count = 1;
  }
  for (std::size_t i = before; i > 0; --i) {
    if (ownPlace && i == j && GoesOnAsLastPreceding(j, limit)) {
      count = AddInteger(preceding_, 1);
      break;
    }
    limit = LastEndBy(i - 1, limit);
    if (limit == kNoEnd) break;
    count = AddInteger(count, 1);
  }
  preceding_for_ = ownPlace ? j : kNoWord;
  preceding_ = count;
  return count;
}

// The preceding run of word j - 1 read the target in front of that word's
// first occurrence. When word j's run finds word j - 1 there, it goes on
// exactly as that run did, unless word j - 2 can end inside the occurrence,
// where only word j's run looks.
bool WordScan::GoesOnAsLastPreceding(std::size_t j, std::size_t limit) const {
  if (preceding_for_ == kNoWord || preceding_for_ + 1 != j) return false;
  const std::span<const Place> places = TargetPlaces(j - 1);
  const std::size_t length = Length(j - 1);
  const std::size_t start = EndOf(places.front(), 0);
  if (start + length > limit || (places.size() > 1 && EndOf(places[1], length) <= limit)) {
    return false;
  }
  if (j < 2) return true;
  const std::span<const Place> twoBack = TargetPlaces(j - 2);
  const std::size_t inner = Length(j - 2);
  return std::none_of(twoBack.begin(), twoBack.end(), [&](Place place) {
    const std::size_t end = EndOf(place, inner);
    return end > start && end <= start + length;
  });
}

// The end of source word i's last place in the target that ends by limit.
std::size_t WordScan::LastEndBy(std::size_t i, std::size_t limit) const {
  const std::span<const Place> places = TargetPlaces(i);
  const std::size_t length = Length(i);
  const auto behind = std::partition_point(places.begin(), places.end(), [&](Place place) {
    return EndOf(place, length) <= limit;
  });
  return behind == places.begin() ? kNoEnd : EndOf(*(behind - 1), length);
}

// The same for the first length units of source word word, which no list
// holds: sought in the target read backwards.
std::size_t WordScan::LastEndOfPieceBy(std::size_t word, std::size_t length,
                                       std::size_t limit) const {
  const std::size_t size = target_.text().size();
  const std::size_t end = source_words_[word].start + length;
  const TextView piece = source_.reversed().substr(source_.text().size() - end, length);
  const std::size_t found = FindUnits(target_.reversed(), piece, size - limit);
  return found == kNotFound ? kNoEnd : size - found;
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
