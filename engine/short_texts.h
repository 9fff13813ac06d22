#pragma once

// The two prepared texts of a comparison when both are short enough to be
// scanned word by word (word_scan.h): each word of either text as a number
// in one vocabulary of the words of both, and for every word of the
// vocabulary the words of each text that hold it, equal to it or with it
// inside them, as a search of the text would find it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "prepared_text.h"
#include "word_set.h"

namespace velmoro {

// A word's number in the vocabulary of a ShortTexts.
using WordId = std::uint16_t;

class ShortTexts {
 public:
  // Texts 0 and 1; nullopt unless both hold at most kWordScanWords words and
  // kWordScanUnits units, and neither begins with the empty word.
  [[nodiscard]] static std::optional<ShortTexts> Of(const PreparedText& text1,
                                                    const PreparedText& text2);

  // Text 0 or 1, which must outlive this object.
  [[nodiscard]] const PreparedText& text(std::size_t t) const { return *texts_[t]; }

  // The vocabulary number of each word of text t.
  [[nodiscard]] const std::vector<WordId>& ids(std::size_t t) const { return ids_[t]; }

  // The words of text t that hold word id.
  [[nodiscard]] const WordSet& Holding(std::size_t t, WordId id) const {
    return holding_[t][id];
  }

 private:
  ShortTexts(const PreparedText& text1, const PreparedText& text2);

  std::array<const PreparedText*, 2> texts_;
  std::array<std::vector<WordId>, 2> ids_;
  std::array<std::vector<WordSet>, 2> holding_;
};

}  // namespace velmoro
