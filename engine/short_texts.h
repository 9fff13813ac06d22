#pragma once

// The two prepared texts of a comparison when both are short enough to be
// scanned word by word (word_scan.h): each word of either text as a number
// in one vocabulary of the words of both, and for every word of the
// vocabulary the words of each text that hold it, equal to it or with it
// inside them, as a search of the text would find it.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "prepared_text.h"
#include "word_set.h"

namespace velmoro::internal {

// A word's number in the vocabulary of a ShortTexts.
using WordId = std::uint16_t;

class ShortTexts {
 public:
  // Texts 0 and 1; nullopt unless both hold at most kWordScanWords words and
  // kWordScanUnits units, and neither begins with the empty word.
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

  // The words of text t that hold word id.
  [[nodiscard]] const WordSet& Holding(std::size_t t, WordId id) const {
    return HoldingSets(t)[id];
  }

  // Text t's sets for the words of the vocabulary, by number.
  [[nodiscard]] const WordSet* HoldingSets(std::size_t t) const {
    return holding_.data() + t * vocabulary_size_;
  }

 private:
  // The number of words of text t that have a rest behind them.
  [[nodiscard]] std::size_t RestCount(std::size_t t) const {
    return std::max<std::size_t>(texts_[t]->words().size(), 1) - 1;
  }
  void FindRestStarts(std::size_t t);
  [[nodiscard]] bool EndsWith(std::size_t t, std::size_t outer, std::size_t inner) const;

  std::array<const PreparedText*, 2> texts_{};
  // Text 0's numbers, then text 1's.
  std::vector<WordId> ids_;
  std::size_t vocabulary_size_ = 0;
  // Text 0's sets for each word of the vocabulary, then text 1's.
  std::vector<WordSet> holding_;
  // Text 0's rest starts, then text 1's.
  std::vector<std::uint32_t> rest_starts_;
};

}  // namespace velmoro::internal
