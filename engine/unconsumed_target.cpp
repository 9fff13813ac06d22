#include "unconsumed_target.h"

#include <algorithm>

#include "search_window.h"
#include "spaces.h"
#include "substring_search.h"
#include "tuning.h"

namespace velmoro::internal {

UnconsumedTarget::UnconsumedTarget(const PreparedText& target, TargetIndex& index,
                                   bool placesTracked)
    : target_(target.text()), index_(index) {
  if (placesTracked || target_.size() > kAskIndexFrom) positions_.emplace(target);
}

std::size_t UnconsumedTarget::SkipSpaces(std::size_t from) const {
  from = internal::SkipSpaces(head_, from);
  if (from < head_.size()) return from;
  return head_.size() + internal::SkipSpaces(tail(), from - head_.size());
}

bool UnconsumedTarget::StartsWith(std::size_t from, TextView prefix) const {
  if (from >= head_.size()) return StartsWithAt(tail(), from - head_.size(), prefix);
  const TextView inHead = TextView(head_).substr(from);
  const std::size_t split = std::min(inHead.size(), prefix.size());
  return StartsWithAt(inHead, 0, prefix.substr(0, split)) &&
         StartsWithAt(tail(), 0, prefix.substr(split));
}

std::optional<std::size_t> UnconsumedTarget::Find(TextView word, std::size_t from) {
  if (word.empty()) return from;
  // A short target within reach is searched faster than asked about.
  if (target_.size() <= kAskIndexFrom && WithinReach(target_.size())) {
    // Such a target stands whole in the tail until its first rewrite and
    // whole in the head from then on.
    const std::size_t found = FindUnits(head_.empty() ? tail() : TextView(head_), word, from);
    if (found == kNotFound) return std::nullopt;
    return found;
  }
  if (const auto start = FoundWhereSearchStarts(*this, word, from)) return start;
  if (index_.KnownAbsent(word)) return std::nullopt;
  if (from == 0 && !absent_.empty() && absent_.contains(word)) return std::nullopt;
  // Consuming only ever moves text to the left, so an occurrence at or behind
  // from here stood at or behind from in the target.
  std::size_t searchFrom = from;
  if (size() - std::min(from, size()) > kAskIndexFrom) {
    const std::size_t last = index_.Last(word);
    if (last == TargetIndex::kNone || last < from) return std::nullopt;
    if (positions_) {
      searchFrom = std::max(searchFrom, positions_->TextStartOf(index_.First(word), Lead()));
    }
  }
  if (const auto found = FindStartingBetween(word, searchFrom, from + kSearchReach)) {
    return found;
  }
  // Out of reach lies only untouched target, which the index knows.
  const std::size_t beyondReach = tail_start_ + from + kSearchReach - head_.size();
  if (beyondReach < target_.size()) {
    const std::size_t last = index_.Last(word);
    if (last != TargetIndex::kNone && last >= beyondReach) {
      throw RuntimeError(ErrorKind::Overflow, OverflowCause::Position);
    }
  }
  // Consuming only ever removes occurrences, so a word missing now stays so.
  if (from == 0 && size() >= kRememberAbsentFrom) absent_.insert(word);
  return std::nullopt;
}

void UnconsumedTarget::Consume(std::size_t at) {
  const std::size_t space = NextSpace(at);
  // The empty word at a leading space cuts no word.
  if (positions_ && !(Lead() == 1 && at == 0)) positions_->CutAt(at, Lead());
  if (head_.empty() && SkipSpaces(0) >= at) {
    // Removing the front word of the untouched target leaves the target as it
    // stands from that word's space on (spaces at the very end never matter:
    // no word holds one).
    tail_start_ = internal::SkipSpaces(target_, tail_start_ + space + 1) - 1;
    return;
  }
  // A target within reach is rewritten whole: one buffer, one search each.
  TakeIntoHead(WithinReach(target_.size()) ? size() : space + 1);
  std::size_t frontEnd = at;
  while (frontEnd > 0 && head_[frontEnd - 1] == u' ') --frontEnd;
  const std::size_t frontStart = std::min(head_.find_first_not_of(u' '), frontEnd);
  std::size_t behind = space + 1;
  while (behind < head_.size() && head_[behind] == u' ') ++behind;
  // The piece removed reaches at least to the space, so one unit of it is
  // left to become the joining space.
  head_[frontEnd] = u' ';
  head_.erase(frontEnd + 1, behind - frontEnd - 1);
  head_.erase(0, frontStart);
}

std::size_t UnconsumedTarget::TargetIndexOf(std::size_t at) const {
  const std::size_t lead = Lead();
  if (at >= lead) return positions_->TargetIndexOf(at, lead);
  const std::size_t firstWord = SkipSpaces(0);
  if (firstWord == size()) return target_.size() - 1;
  return positions_->TargetIndexOf(firstWord, lead) - 1;
}

char16_t UnconsumedTarget::At(std::size_t i) const {
  return i < head_.size() ? head_[i] : target_[tail_start_ + i - head_.size()];
}

std::size_t UnconsumedTarget::Lead() const {
  return size() > 0 && At(0) == u' ' ? 1 : 0;
}

// The first occurrence that starts at or behind first and in front of end.
// The head ends in a space and no word holds one, so no occurrence straddles
// the head and the tail.
std::optional<std::size_t> UnconsumedTarget::FindStartingBetween(TextView word, std::size_t first,
                                                                 std::size_t end) const {
  if (first >= end) return std::nullopt;
  const std::size_t unitsEnd = end - 1 + word.size();
  if (first < head_.size()) {
    const TextView head = TextView(head_).substr(0, unitsEnd);
    if (const std::size_t found = FindUnits(head, word, first); found != kNotFound) {
      return found;
    }
  }
  if (unitsEnd <= head_.size()) return std::nullopt;
  const TextView tail = this->tail().substr(0, unitsEnd - head_.size());
  const std::size_t found =
      FindUnits(tail, word, std::max(first, head_.size()) - head_.size());
  if (found == kNotFound) return std::nullopt;
  return head_.size() + found;
}

// The head ends in a space, so an occurrence that starts there ends there.
std::size_t UnconsumedTarget::NextSpace(std::size_t at) const {
  std::size_t space = head_.find(u' ', at);
  if (space == Text::npos && head_.size() < kSearchReach) {
    const std::size_t inTail =
        tail().substr(0, kSearchReach - head_.size()).find(u' ', at - head_.size());
    if (inTail != TextView::npos) space = head_.size() + inTail;
  }
  if (space >= kSearchReach) {
    // From the occurrence alone to the space is too far only in a long word.
    throw RuntimeError(ErrorKind::Overflow, space - at >= kSearchReach
                                                ? OverflowCause::LongTargetWord
                                                : OverflowCause::Position);
  }
  return space;
}

void UnconsumedTarget::TakeIntoHead(std::size_t end) {
  if (end <= head_.size()) return;
  const std::size_t taken = end - head_.size();
  head_.append(target_.substr(tail_start_, taken));
  tail_start_ += taken;
}

}  // namespace velmoro::internal
