#include "reversed_target.h"

#include "search_window.h"
#include "spaces.h"
#include "substring_search.h"

namespace velmoro::internal {

ReversedTarget::ReversedTarget(const PreparedText& target,
                               const PreparedText& source, TargetIndex& index)
    : reversed_(target.reversed()), source_(source), index_(index) {}

std::size_t ReversedTarget::SkipSpaces(std::size_t from) const {
  return internal::SkipSpaces(reversed_, from);
}

bool ReversedTarget::StartsWith(std::size_t from, TextView prefix) const {
  return StartsWithAt(reversed_, from, prefix);
}

std::optional<std::size_t> ReversedTarget::Find(TextView word, std::size_t from) {
  if (word.empty()) return from;
  // A short target within reach is searched faster than asked about.
  if (reversed_.size() <= kAskIndexFrom && WithinReach(reversed_.size())) {
    const std::size_t found = FindUnits(reversed_, word, from);
    if (found == kNotFound) return std::nullopt;
    return found;
  }
  if (const auto start = FoundWhereSearchStarts(*this, word, from)) return start;
  if (index_.KnownAbsent(Unreversed(word))) return std::nullopt;
  const std::size_t targetSize = reversed_.size() - 1;
  // Here, from on, lies the target in front of targetSize - from, read
  // backwards: the word occurs there only if it first starts early enough.
  if (reversed_.size() - std::min(from, reversed_.size()) > kAskIndexFrom) {
    const std::size_t first = index_.First(Unreversed(word));
    if (first == TargetIndex::kNone || first + from + word.size() > targetSize) {
      return std::nullopt;
    }
  }
  const std::size_t reachEnd = from + kSearchReach - 1 + word.size();
  const std::size_t found = FindUnits(reversed_.substr(0, reachEnd), word, from);
  if (found != kNotFound) return found;
  // A start at or beyond from + kSearchReach here is a start at or before
  // this place in the target, read forwards.
  const std::size_t beyondReach = from + kSearchReach + word.size();
  if (beyondReach > targetSize) return std::nullopt;
  const std::size_t first = index_.First(Unreversed(word));
  if (first != TargetIndex::kNone && first <= targetSize - beyondReach) {
    throw RuntimeError(ErrorKind::Overflow, OverflowCause::Position);
  }
  return std::nullopt;
}

TextView ReversedTarget::Unreversed(TextView word) const {
  const TextView reversedSource = source_.reversed();
  const auto at = static_cast<std::size_t>(word.data() - reversedSource.data());
  return source_.text().substr(source_.text().size() - at - word.size(), word.size());
}

}  // namespace velmoro::internal
