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

namespace velmoro::internal {

// A word's number in the vocabulary of a ShortTexts.
using WordId = std::uint16_t;

// Where a word occurs in a text: the word of the text it stands in and the
// offset in that word, packed so that places compare in the text's order.
using Place = std::uint32_t;

[[nodiscard]] constexpr Place PlaceOf(std::size_t word, std::size_t offset) {
  return static_cast<Place>(word << 16 | offset);
}
[[nodiscard]] constexpr std::size_t WordOf(Place place) { return place >> 16; }
[[nodiscard]] constexpr std::size_t OffsetOf(Place place) { return place & 0xFFFF; }

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

  // PreparedText::RestFirstStart of text t, worked out on the words.
  [[nodiscard]] std::size_t RestFirstStart(std::size_t t, std::size_t j) const {
    return rest_starts_[(t == 0 ? 0 : RestCount(0)) + j];
  }

  // The number of distinct words of both texts.
  [[nodiscard]] std::size_t vocabulary_size() const { return vocabulary_size_; }

  // Every place of text t where word id occurs, in the text's order.
  [[nodiscard]] std::span<const Place> Places(std::size_t t, WordId id) const {
    const std::uint32_t* begin = places_begin_.data() + t * (vocabulary_size_ + 1) + id;
    return std::span(places_).subspan(begin[0], begin[1] - begin[0]);
  }

 private:
  // A word of the vocabulary found inside a longer one, and where.
  struct Inside {
    WordId inner;
    std::uint16_t offset;
  };

  // The number of words of text t that have a rest behind them.
  [[nodiscard]] std::size_t RestCount(std::size_t t) const {
    return std::max<std::size_t>(texts_[t]->words().size(), 1) - 1;
  }
  void NumberWords();
  [[nodiscard]] bool ListPlaces(std::size_t t);
  void FindRestStarts(std::size_t t);
  [[nodiscard]] bool EndsWith(std::size_t t, std::size_t outer, std::size_t inner) const;

  std::array<const PreparedText*, 2> texts_{};
  // Text 0's numbers, then text 1's.
  std::vector<WordId> ids_;
  std::size_t vocabulary_size_ = 0;
  // The words inside each vocabulary word, by offset: those of word id are
  // inside_[inside_begin_[id]] up to inside_[inside_begin_[id + 1]].
  std::vector<Inside> inside_;
  std::vector<std::uint32_t> inside_begin_;
  // Text 0's places by word, then text 1's; those of word id in text t
  // start at places_begin_[t * (vocabulary_size_ + 1) + id].
  std::vector<Place> places_;
  std::vector<std::uint32_t> places_begin_;
  // Text 0's rest starts, then text 1's.
  std::vector<std::uint32_t> rest_starts_;
};

}  // namespace velmoro::internal
