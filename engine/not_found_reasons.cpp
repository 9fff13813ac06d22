#include "not_found_reasons.h"

#include <algorithm>

namespace velmoro::internal {

NotFoundReasons::NotFoundReasons(TextView source, TextView target, const DirectionWalk& walk)
    : source_(source), target_(target), index_(source_, target_.text()) {
  matches_.reserve(walk.found.size());
  for (const FoundWord& found : walk.found) {
    const std::size_t length = source_.words()[found.word].length;
    matches_.push_back(
        {found.word, found.prepared_target_start, found.prepared_target_start + length});
    longest_match_ = std::max(longest_match_, length);
  }
  std::sort(matches_.begin(), matches_.end(),
            [](const Match& a, const Match& b) { return a.start < b.start; });
}

NotFoundReasons::Reason NotFoundReasons::Of(std::size_t index) {
  const WordSpan word = source_.words()[index];
  const std::size_t start = index_.First(source_.text().substr(word.start, word.length));
  if (start == TargetIndex::kNone) return {};
  return {NotFound::Used, UsedBy(index, start, start + word.length)};
}

// The one earlier match that overlaps [start, end); none when no match or
// more than one does.
std::optional<std::size_t> NotFoundReasons::UsedBy(std::size_t index, std::size_t start,
                                                   std::size_t end) const {
  const std::size_t from = start > longest_match_ ? start - longest_match_ : 0;
  auto match = std::lower_bound(matches_.begin(), matches_.end(), from,
                                [](const Match& m, std::size_t at) { return m.start < at; });
  std::optional<std::size_t> usedBy;
  for (; match != matches_.end() && match->start < end; ++match) {
    if (match->word >= index || match->end <= start) continue;
    if (usedBy) return std::nullopt;
    usedBy = match->word;
  }
  return usedBy;
}

}  // namespace velmoro::internal
