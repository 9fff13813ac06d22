#pragma once

// Where the words of a prepared target stand in the part of it that a scan
// has not consumed yet. Consuming an occurrence only cuts one word of the
// target short, to the piece in front of the occurrence (to nothing when the
// occurrence starts the word), and between the remaining words stands one
// space, so a word's place follows from how much the words in front of it
// have lost. That lets a search start where a word can first be, found in
// the target itself, instead of at the front.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "prepared_text.h"

namespace velmoro::internal {

class WordPositions {
 public:
  // target must outlive this object.
  explicit WordPositions(const PreparedText& target);

  // Where, in the unconsumed text, what remains of the target from index
  // targetIndex on begins: no occurrence of anything that stands at or behind
  // targetIndex in the target starts earlier. lead is 1 when the unconsumed
  // text begins with a space.
  [[nodiscard]] std::size_t TextStartOf(std::size_t targetIndex, std::size_t lead) const;

  // The word holding index at of the unconsumed text (at must lie inside a
  // remaining word) is cut short to the piece in front of at.
  void CutAt(std::size_t at, std::size_t lead);

  // The index in the target of the unit at index at of the unconsumed text,
  // which must lie inside a remaining word.
  [[nodiscard]] std::size_t TargetIndexOf(std::size_t at, std::size_t lead) const;

 private:
  [[nodiscard]] std::size_t Start(std::size_t word, std::size_t lead) const;
  [[nodiscard]] std::size_t WordAt(std::size_t at, std::size_t lead) const;
  void Touch(std::size_t word);

  const std::vector<WordSpan>& words_;
  std::size_t target_lead_;  // 1 when the target itself begins with a space
  // Every cut happens within reach of the front, so the words it touched are
  // the first few of the target: what remains of each, and a Fenwick tree of
  // the units each takes in the text; the words behind are whole.
  std::vector<std::uint32_t> remaining_;
  std::vector<std::uint32_t> width_tree_;
  std::size_t lost_ = 0;  // units the touched words have lost
};

}  // namespace velmoro::internal
