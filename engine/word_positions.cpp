#include "word_positions.h"

#include <algorithm>
#include <bit>

#include "tuning.h"

namespace velmoro::internal {

namespace {

// The units a word takes in the text: its own and the space behind it; none
// once nothing of it remains.
std::size_t Width(std::size_t length) { return length == 0 ? 0 : length + 1; }

}  // namespace

WordPositions::WordPositions(const PreparedText& target)
    : words_(target.words()),
      target_lead_(!target.text().empty() && target.text().front() == u' ' ? 1 : 0) {}

std::size_t WordPositions::TextStartOf(std::size_t targetIndex, std::size_t lead) const {
  const auto behind = std::upper_bound(
      words_.begin(), words_.end(), targetIndex,
      [](std::size_t index, const WordSpan& word) { return index < word.start; });
  if (behind == words_.begin()) return 0;
  return Start(static_cast<std::size_t>(behind - words_.begin()) - 1, lead);
}

void WordPositions::CutAt(std::size_t at, std::size_t lead) {
  const std::size_t word = WordAt(at, lead);
  const std::size_t length = at - Start(word, lead);
  Touch(word);
  const std::size_t lost = Width(remaining_[word]) - Width(length);
  remaining_[word] = static_cast<std::uint32_t>(length);
  // Unsigned sums wrap, so adding the complement subtracts.
  const auto change = static_cast<std::uint32_t>(~lost + 1);
  for (std::size_t node = word + 1; node <= width_tree_.size(); node += node & (~node + 1)) {
    width_tree_[node - 1] += change;
  }
  lost_ += lost;
}

// A remaining word is what is left of the front of a target word.
std::size_t WordPositions::TargetIndexOf(std::size_t at, std::size_t lead) const {
  const std::size_t word = WordAt(at, lead);
  return words_[word].start + at - Start(word, lead);
}

// A word starts behind the widths of the words in front of it: summed in the
// tree for touched words; behind them, the target has one space behind each
// word, so its own start less all that was lost. A word with nothing left
// starts where the next one does.
std::size_t WordPositions::Start(std::size_t word, std::size_t lead) const {
  if (word < remaining_.size()) {
    std::size_t widths = 0;
    for (std::size_t node = word; node > 0; node &= node - 1) widths += width_tree_[node - 1];
    return lead + widths;
  }
  const std::size_t inTarget = words_[word].length == 0 ? 0 : words_[word].start - target_lead_;
  return lead + inTarget - lost_;
}

// The last word starting at or before at: among touched words found by
// descending the tree, behind them by the target's own starts.
std::size_t WordPositions::WordAt(std::size_t at, std::size_t lead) const {
  const std::size_t touched = remaining_.size();
  if (touched < words_.size() && at >= Start(touched, lead)) {
    const std::size_t inTarget = at - lead + lost_ + target_lead_;
    const auto behind = std::upper_bound(
        words_.begin() + static_cast<std::ptrdiff_t>(touched), words_.end(), inTarget,
        [](std::size_t start, const WordSpan& span) { return start < span.start; });
    return static_cast<std::size_t>(behind - words_.begin()) - 1;
  }
  std::size_t word = 0;
  std::size_t widths = at - lead;
  for (std::size_t step = std::bit_floor(touched); step > 0; step >>= 1) {
    if (word + step <= touched && width_tree_[word + step - 1] <= widths) {
      word += step;
      widths -= width_tree_[word - 1];
    }
  }
  return word;
}

// Grows the touched words to reach word, at least doubling, and rebuilds the
// tree of their widths.
void WordPositions::Touch(std::size_t word) {
  if (word < remaining_.size()) return;
  const std::size_t touched =
      std::min(words_.size(), std::max({word + 1, 2 * remaining_.size(), kFirstTrackedWords}));
  for (std::size_t next = remaining_.size(); next < touched; ++next) {
    remaining_.push_back(words_[next].length);
  }
  width_tree_.assign(touched, 0);
  for (std::size_t node = 1; node <= touched; ++node) {
    width_tree_[node - 1] += static_cast<std::uint32_t>(Width(remaining_[node - 1]));
    const std::size_t parent = node + (node & (~node + 1));
    if (parent <= touched) width_tree_[parent - 1] += width_tree_[node - 1];
  }
}

}  // namespace velmoro::internal
