#include "word_scan.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>
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
  template <typename OnWord>
  void Scan(Integer& slot, OnWord&& onWord);
  [[nodiscard]] std::size_t Length(std::size_t i) const { return source_words_[i].length; }
  // Source word i's places in the whole target.
  [[nodiscard]] const Place* PlacesBegin(std::size_t i) const {
    return places_ + places_begin_[source_ids_[i]];
  }
  [[nodiscard]] const Place* PlacesEnd(std::size_t i) const {
    return places_ + places_begin_[source_ids_[i] + 1];
  }
  // Whether the unconsumed target still holds a word of length units at place.
  [[nodiscard]] bool Holds(Place place, std::size_t length) const {
    return OffsetOf(place) + length <= piece_length_[WordOf(place)];
  }
  // Where in the target an occurrence of length units at place ends.
  [[nodiscard]] std::size_t EndOf(Place place, std::size_t length) const {
    return target_words_[WordOf(place)].start + OffsetOf(place) + length;
  }

  [[nodiscard]] Place FindUnconsumed(std::size_t i);
  [[nodiscard]] Place FindFrom(std::size_t i, Place from) const;
  [[nodiscard]] std::size_t Position(Place place) const;
  template <bool kObserved>
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

  bool against_itself_;
  const PreparedText& source_;
  const PreparedText& target_;
  const WordSpan* source_words_;
  const WordSpan* target_words_;
  std::size_t words_;
  const WordId* source_ids_;
  std::span<const std::uint32_t> rest_starts_;
  std::span<const std::uint8_t> reads_as_itself_;
  const Place* places_;
  const std::uint32_t* places_begin_;
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
    : against_itself_(source == target),
      source_(texts.text(source)),
      target_(texts.text(target)),
      source_words_(source_.words().data()),
      target_words_(target_.words().data()),
      words_(source_.words().size()),
      source_ids_(texts.ids(source).data()),
      rest_starts_(texts.RestFirstStarts(source)),
      reads_as_itself_(texts.ReadsAsItself(source)),
      places_(texts.places()),
      places_begin_(texts.PlacesBegin(target)) {
  for (std::size_t k = 0; k < target_.words().size(); ++k) {
    piece_length_[k] = static_cast<std::uint16_t>(target_words_[k].length);
  }
  // Against itself the scan finds each word at its own place without a search.
  if (!against_itself_) std::fill_n(gone_.begin(), texts.vocabulary_size(), 0);
}

void WordScan::Run(Integer direction, ComparisonState& state, const WordObserver& onWord) {
  Integer& slot = DirectionScore(state, direction);
  if (onWord) {
    Scan(slot, [&](WordStep& step) { onWord(step); });
  } else {
    Scan(slot, nullptr);
  }
}

// Without an observer the scan neither fills steps nor follows positions.
template <typename OnWord>
void WordScan::Scan(Integer& slot, OnWord&& onWord) {
  constexpr bool kObserved = !std::is_null_pointer_v<std::remove_cvref_t<OnWord>>;
  const std::size_t words = words_;
  const std::size_t end = words > 0 ? source_words_[words - 1].end() : 0;
  for (std::size_t j = 0; j < words; ++j) {
    // A text scanned against itself finds each word whole at its own place:
    // the words in front of it were consumed there, one by one.
    const Place at = against_itself_ ? PlaceOf(j, 0) : FindUnconsumed(j);
    WordStep step;
    if (at != kNoPlace) {
      if constexpr (kObserved) {
        step.position = static_cast<Integer>(Position(at));
        step.target_start = EndOf(at, 0);
      }
      // Whether the rest behind the word, trimmed, is longer than the word.
      if (j + 1 < words && end - source_words_[j + 1].start > Length(j)) {
        step.by_context = true;
        std::tie(step.following, step.preceding) = ContextCredit(j, at);
        slot = AddInteger(AddInteger(slot, step.following), step.preceding);
      } else {
        slot = AddInteger(slot, 1);
      }
      Consume<kObserved>(at);
    }
    if constexpr (kObserved) {
      step.word = source_.text().substr(source_words_[j].start, Length(j));
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
  const Place* places = PlacesBegin(i);
  const std::size_t count = static_cast<std::size_t>(PlacesEnd(i) - places);
  std::uint16_t& gone = gone_[source_ids_[i]];
  while (gone < count && !Holds(places[gone], Length(i))) ++gone;
  return gone < count ? places[gone] : kNoPlace;
}

// The first place still held at or behind from. A word's places are few,
// so they are read one by one.
Place WordScan::FindFrom(std::size_t i, Place from) const {
  const Place* place = PlacesBegin(i) + (against_itself_ ? 0 : gone_[source_ids_[i]]);
  const Place* const end = PlacesEnd(i);
  while (place != end && (*place < from || !Holds(*place, Length(i)))) ++place;
  return place != end ? *place : kNoPlace;
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
// part of the piece in front of it. Only positions need to know where the
// unconsumed target starts.
template <bool kObserved>
void WordScan::Consume(Place place) {
  const std::size_t k = WordOf(place);
  piece_length_[k] = static_cast<std::uint16_t>(OffsetOf(place));
  if constexpr (kObserved) {
    lead_ = OffsetOf(place) == 0 && k == first_left_;
    while (first_left_ < target_.words().size() && piece_length_[first_left_] == 0) ++first_left_;
  }
}

std::pair<Integer, Integer> WordScan::ContextCredit(std::size_t j, Place at) {
  // Against itself such a word reads on and back as the text does: every
  // other word is in its runs.
  if (against_itself_ && reads_as_itself_[j] != 0) {
    preceding_for_ = j;
    preceding_ = static_cast<Integer>(j);
    return {static_cast<Integer>(words_ - j - 1), preceding_};
  }
  const std::size_t restStart = rest_starts_[j];
  const bool ownPlace = restStart == source_words_[j + 1].start;
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
  const std::size_t words = words_;
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
  std::size_t limit = EndOf(*PlacesBegin(j), 0);
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
  const Place* places = PlacesBegin(j - 1);
  const std::size_t length = Length(j - 1);
  const std::size_t start = EndOf(places[0], 0);
  if (start + length > limit || (places + 1 != PlacesEnd(j - 1) && EndOf(places[1], length) <= limit)) {
    return false;
  }
  if (j < 2) return true;
  const std::size_t inner = Length(j - 2);
  return std::none_of(PlacesBegin(j - 2), PlacesEnd(j - 2), [&](Place place) {
    const std::size_t end = EndOf(place, inner);
    return end > start && end <= start + length;
  });
}

// The end of source word i's last place in the target that ends by limit.
std::size_t WordScan::LastEndBy(std::size_t i, std::size_t limit) const {
  const std::size_t length = Length(i);
  const Place* const begin = PlacesBegin(i);
  const Place* place = PlacesEnd(i);
  while (place != begin && EndOf(place[-1], length) > limit) --place;
  return place == begin ? kNoEnd : EndOf(place[-1], length);
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
