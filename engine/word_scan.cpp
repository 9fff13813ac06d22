#include "word_scan.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>

#include "direction_scorer.h"
#include "substring_search.h"
#include "tuning.h"

namespace velmoro::internal {

namespace {

constexpr Place kNoPlace = ~Place{0};
constexpr std::size_t kNoEnd = ~std::size_t{0};

class WordScan {
 public:
  WordScan(const ShortTexts& texts, std::size_t source, std::size_t target);

  void Run(Integer direction, ComparisonState& state, const WordObserver& onWord);

 private:
  template <typename OnWord>
  void Scan(Integer& slot, OnWord&& onWord);
  [[nodiscard]] std::size_t Length(std::size_t i) const { return sought_[i].length; }
  // Source word i's places in the whole target.
  [[nodiscard]] const Place* PlacesBegin(std::size_t i) const { return sought_[i].begin; }
  [[nodiscard]] const Place* PlacesEnd(std::size_t i) const { return sought_[i].end; }
  // Whether the unconsumed target still holds a word of length units at place.
  [[nodiscard]] bool Holds(Place place, std::size_t length) const {
    return UnitOf(place) + length <= piece_end_[WordOf(place)];
  }
  // Where in the target an occurrence of length units at place ends.
  [[nodiscard]] static std::size_t EndOf(Place place, std::size_t length) {
    return UnitOf(place) + length;
  }

  [[nodiscard]] Place FindUnconsumed(std::size_t i);
  [[nodiscard]] Place FindFrom(std::size_t i, Place from) const;
  [[nodiscard]] std::size_t Position(Place place) const;
  template <bool kObserved>
  void Consume(Place place);

  [[nodiscard]] std::pair<Integer, Integer> ContextCredit(std::size_t j, Place at);
  [[nodiscard]] Integer FollowingRun(std::size_t j, std::size_t restStart, bool ownPlace,
                                     Place at);
  [[nodiscard]] Integer PrecedingRun(std::size_t j, std::size_t restStart, bool ownPlace);
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
  // Each source word as the scan seeks it: its places in the whole target
  // and its length.
  struct Sought {
    const Place* begin;
    const Place* end;
    std::size_t length;
  };
  std::array<Sought, kWordScanWords> sought_;
  // Where each target piece ends: its word's end until the word is cut to
  // the units in front of an occurrence, and its start once consumed whole.
  std::array<std::uint16_t, kWordScanWords> piece_end_;
  std::size_t first_left_ = 0;  // the first piece not consumed whole
  bool lead_ = false;           // whether the unconsumed target begins with a space
  // For each word of the vocabulary, how many of its target places are
  // known to be gone.
  std::array<std::uint16_t, 2 * kWordScanWords> gone_;
  // Where the following runs last found each source word, for the words
  // from run_first_ to run_stop_, the word the run that found them stopped
  // at; consumed_end_ is one more than the last piece consumed since the
  // oldest of them was found, 0 when none was.
  std::array<Place, kWordScanWords> run_place_;
  std::size_t run_first_ = 0;
  std::size_t run_stop_ = 0;
  std::size_t consumed_end_ = 0;
  // Where the preceding runs last found each source word to end, for the
  // words from chain_stop_ (the one above the word not found, or 0) to
  // below chain_top_.
  std::array<std::uint32_t, kWordScanWords> chain_end_;
  std::size_t chain_stop_ = 0;
  std::size_t chain_top_ = 0;
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
      reads_as_itself_(texts.ReadsAsItself(source)) {
  const Place* places = texts.places();
  const std::uint32_t* begin = texts.PlacesBegin(target);
  for (std::size_t i = 0; i < words_; ++i) {
    const WordId id = source_ids_[i];
    sought_[i] = {places + begin[id], places + begin[id + 1], source_words_[i].length};
  }
  for (std::size_t k = 0; k < target_.words().size(); ++k) {
    piece_end_[k] = static_cast<std::uint16_t>(target_words_[k].end());
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
    const Place at = against_itself_ ? PlaceAt(source_words_[j].start, j) : FindUnconsumed(j);
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
  const std::size_t word = WordOf(place);
  std::size_t position = (lead_ ? 1 : 0) + UnitOf(place) - target_words_[word].start + 1;
  for (std::size_t k = first_left_; k < word; ++k) {
    const std::size_t length = piece_end_[k] - target_words_[k].start;
    if (length > 0) position += length + 1;
  }
  return position;
}

// Consuming removes the occurrence and the rest of its piece, keeping the
// part of the piece in front of it. Only positions need to know where the
// unconsumed target starts.
template <bool kObserved>
void WordScan::Consume(Place place) {
  const std::size_t k = WordOf(place);
  piece_end_[k] = static_cast<std::uint16_t>(UnitOf(place));
  consumed_end_ = std::max(consumed_end_, k + 1);
  if constexpr (kObserved) {
    lead_ = UnitOf(place) == target_words_[k].start && k == first_left_;
    while (first_left_ < target_.words().size() &&
           piece_end_[first_left_] == target_words_[first_left_].start) {
      ++first_left_;
    }
  }
}

std::pair<Integer, Integer> WordScan::ContextCredit(std::size_t j, Place at) {
  // Against itself such a word reads on and back as the text does: every
  // other word is in its runs.
  if (against_itself_ && reads_as_itself_[j] != 0) {
    return {static_cast<Integer>(words_ - j - 1), static_cast<Integer>(j)};
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
// word is sought from where the last one was found. Where a word is found
// where the last runs found it, and nothing has been consumed since at or
// behind that place, the run goes on from there as they did.
Integer WordScan::FollowingRun(std::size_t j, std::size_t restStart, bool ownPlace, Place at) {
  // Against itself the target left behind word j reads on as the rest does.
  if (ownPlace && against_itself_) return static_cast<Integer>(words_ - j - 1);
  const std::size_t first = ownPlace ? j + 1 : source_.WordsStartingBefore(restStart + 1);
  Place place = FindFrom(j + 1, PlaceAt(UnitOf(at) + Length(j) + 1, 0));
  std::size_t count = 0;
  // Elsewhere the rest starts as the end of word first - 1, with word j + 1's units.
  if (!ownPlace && place != kNoPlace) {
    count = 1;
    place = first < words_ ? FindFrom(first, place) : kNoPlace;
  }
  std::size_t i = first;
  for (; place != kNoPlace; place = ++i < words_ ? FindFrom(i, place) : kNoPlace) {
    if (i >= run_first_ && i < run_stop_ && run_place_[i] == place &&
        WordOf(place) >= consumed_end_) {
      run_first_ = first;
      return static_cast<Integer>(count + run_stop_ - i);
    }
    run_place_[i] = place;
    ++count;
  }
  run_first_ = first;
  run_stop_ = i;
  consumed_end_ = 0;
  return static_cast<Integer>(count);
}

// The source in front of word j's part of the rest's first occurrence, and
// the target in front of word j's first occurrence, both read backwards:
// each word is sought among the places that end by where the last one found
// starts, the one that ends last. The target never changes, so where a word
// is found to end where the last runs found it, the run goes on as they did.
Integer WordScan::PrecedingRun(std::size_t j, std::size_t restStart, bool ownPlace) {
  // The rest may first occur so early that nothing stands in front of w there.
  const std::size_t wordLength = Length(j);
  const std::size_t beforeLength = restStart >= wordLength + 1 ? restStart - wordLength - 1 : 0;
  std::size_t before = ownPlace ? j : source_.WordsStartingBefore(beforeLength);
  std::size_t limit = EndOf(*PlacesBegin(j), 0);
  std::size_t count = 0;
  if (before > 0 && source_words_[before - 1].end() > beforeLength) {
    --before;
    limit = LastEndOfPieceBy(before, beforeLength - source_words_[before].start, limit);
    if (limit == kNoEnd) return 0;
    count = 1;
  }
  std::size_t i = before;
  for (; i > 0; --i) {
    limit = LastEndBy(i - 1, limit);
    if (limit == kNoEnd) break;
    if (i - 1 >= chain_stop_ && i - 1 < chain_top_ && chain_end_[i - 1] == limit) {
      chain_top_ = before;
      return static_cast<Integer>(count + i - chain_stop_);
    }
    chain_end_[i - 1] = static_cast<std::uint32_t>(limit);
    ++count;
  }
  chain_stop_ = i;
  chain_top_ = before;
  return static_cast<Integer>(count);
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
