#pragma once

// The part of a prepared target that a scan has not consumed yet. Every
// consumption happens within reach of the start (or it ends the comparison
// with Overflow), so only a short head is ever rewritten; behind it the rest
// of the target stands untouched and is searched in place, and whether a word
// occurs out of reach is asked of the target index instead of searched. In a
// long target a search starts where the word first stands in the target.

#include <cstddef>
#include <optional>
#include <unordered_set>

#include "prepared_text.h"
#include "target_index.h"
#include "text_primitives.h"
#include "word_positions.h"

namespace velmoro::internal {

class UnconsumedTarget {
 public:
  // target and index must outlive this object. With placesTracked,
  // TargetIndexOf answers for a target of any length.
  UnconsumedTarget(const PreparedText& target, TargetIndex& index, bool placesTracked = false);

  // The first index at or behind from that is not a space.
  [[nodiscard]] std::size_t SkipSpaces(std::size_t from) const;

  // True when the text, from index from on, begins with prefix.
  [[nodiscard]] bool StartsWith(std::size_t from, TextView prefix) const;

  // The 0-based start of the first occurrence of word at or behind from;
  // from itself for the empty word; nullopt when word does not occur there.
  // Throws Overflow when the first occurrence starts kSearchReach or more
  // units behind from.
  [[nodiscard]] std::optional<std::size_t> Find(TextView word, std::size_t from);

  // Removes everything from at to the next space and joins the trimmed text
  // in front and the text behind with one space; with nothing in front, the
  // text begins with that space. Throws Overflow when the next space lies
  // beyond reach of the start.
  void Consume(std::size_t at);

  // The index in the target, as it stood before any consumption, of the unit
  // at index at of the text, which lies in a word or is a leading space. A
  // leading space stands for the target's space in front of the first word
  // left, or for its last space when no word is left. Only for a long target
  // or one whose places are tracked.
  [[nodiscard]] std::size_t TargetIndexOf(std::size_t at) const;

 private:
  [[nodiscard]] std::size_t size() const { return head_.size() + tail().size(); }
  [[nodiscard]] TextView tail() const { return target_.substr(tail_start_); }
  [[nodiscard]] char16_t At(std::size_t i) const;
  [[nodiscard]] std::size_t Lead() const;
  [[nodiscard]] std::optional<std::size_t> FindStartingBetween(TextView word, std::size_t first,
                                                               std::size_t end) const;
  [[nodiscard]] std::size_t NextSpace(std::size_t at) const;
  void TakeIntoHead(std::size_t end);

  TextView target_;
  TargetIndex& index_;
  Text head_;  // the rewritten front, ending in a space; empty until a cut behind the front
  std::size_t tail_start_ = 0;  // where the untouched rest of the target begins
  std::unordered_set<TextView> absent_;  // words known to occur nowhere
  std::optional<WordPositions> positions_;  // kept for a long or tracked target
};

}  // namespace velmoro::internal
