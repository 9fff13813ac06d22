#pragma once

// The two prepared texts of a comparison when both are short enough to be
// scanned word by word (word_scan.h): each word of either text as a number
// in one vocabulary of the words of both, and for every word of the
// vocabulary every place of each text where a search finds it, as the whole
// word or inside a longer one.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "prepared_text.h"
#include "vocabulary.h"

namespace velmoro::internal {

// Where a word occurs in a text: the unit of the prepared text where it
// starts and the word of the text it stands in, packed so that places
// compare in the text's order.
using Place = std::uint32_t;

[[nodiscard]] constexpr Place PlaceAt(std::size_t unit, std::size_t word) {
  return static_cast<Place>(unit << 8 | word);
}
[[nodiscard]] constexpr std::size_t UnitOf(Place place) { return place >> 8; }
[[nodiscard]] constexpr std::size_t WordOf(Place place) { return place & 0xFF; }

class ShortTexts {
 public:
  // Texts 0 and 1; nullopt unless both hold at most kWordScanWords words,
  // kWordScanUnits units and kWordScanPlaces places of words, and neither
  // begins with the empty word.
  [[nodiscard]] static std::optional<ShortTexts> Of(const PreparedText& text1,
                                                    const PreparedText& text2);

  // Holds no texts until Take.
  ShortTexts() = default;

  // Makes this Of(text1, text2), reusing the memory it holds; false, and
  // holding nothing usable, when Of would give nullopt.
  [[nodiscard]] bool Take(const PreparedText& text1, const PreparedText& text2);

  // Text 0 or 1, which must outlive this object.
  [[nodiscard]] const PreparedText& text(std::size_t t) const { return *texts_[t]; }

  // The vocabulary number of each word of text t.
  [[nodiscard]] std::span<const WordId> ids(std::size_t t) const {
    return std::span(ids_).subspan(t == 0 ? 0 : texts_[0]->words().size(),
                                   texts_[t]->words().size());
  }

  // PreparedText::RestFirstStart of text t, worked out on the words, for
  // each word j that has a rest behind it.
  [[nodiscard]] std::span<const std::uint32_t> RestFirstStarts(std::size_t t) const {
    return std::span(rest_starts_).subspan(t == 0 ? 0 : RestCount(0), RestCount(t));
  }

  // For the same words, whether text t's rest behind word j first occurs at
  // its own place and the text holds word j nowhere in front of it: then,
  // against itself, the word reads on and back as the text does.
  [[nodiscard]] std::span<const std::uint8_t> ReadsAsItself(std::size_t t) const {
    return std::span(reads_as_itself_).subspan(t == 0 ? 0 : RestCount(0), RestCount(t));
  }

  // The number of distinct words of both texts.
  [[nodiscard]] std::size_t vocabulary_size() const { return vocabulary_size_; }

  // Every place of text t where word id occurs, in the text's order: the
  // places from places()[PlacesBegin(t)[id]] up to places()[PlacesBegin(t)[id + 1]].
  [[nodiscard]] const Place* places() const { return places_.data(); }
  [[nodiscard]] const std::uint32_t* PlacesBegin(std::size_t t) const {
    return places_begin_.data() + t * (vocabulary_size_ + 1);
  }
  [[nodiscard]] std::span<const Place> Places(std::size_t t, WordId id) const {
    const std::uint32_t* begin = PlacesBegin(t) + id;
    return std::span(places_).subspan(begin[0], begin[1] - begin[0]);
  }

 private:
  // The number of words of text t that have a rest behind them.
  [[nodiscard]] std::size_t RestCount(std::size_t t) const {
    return std::max<std::size_t>(texts_[t]->words().size(), 1) - 1;
  }
  [[nodiscard]] bool NumberWords();
  [[nodiscard]] bool ListPlaces(std::size_t t);
  void FindRestStarts(std::size_t t);
  void FindWordsReadingAsItself(std::size_t t);
  [[nodiscard]] bool EndsWith(std::size_t t, std::size_t outer, std::size_t inner) const;

  std::array<const PreparedText*, 2> texts_{};
  // Text 0's numbers, then text 1's.
  std::vector<WordId> ids_;
  Vocabulary vocabulary_;
  std::size_t vocabulary_size_ = 0;
  // The words inside each vocabulary word, by offset: those of word id are
  // inside_[inside_begin_[id]] up to inside_[inside_begin_[id + 1]].
  std::vector<InsideWord> inside_;
  std::vector<std::uint32_t> inside_begin_;
  // Text 0's places by word, then text 1's; those of word id in text t
  // start at places_begin_[t * (vocabulary_size_ + 1) + id].
  std::vector<Place> places_;
  std::vector<std::uint32_t> places_begin_;
  // Text 0's rest starts, then text 1's, and the same for ReadsAsItself.
  std::vector<std::uint32_t> rest_starts_;
  std::vector<std::uint8_t> reads_as_itself_;
};

}  // namespace velmoro::internal
