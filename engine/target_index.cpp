#include "target_index.h"

#include <algorithm>

#include "substring_search.h"
#include "tuning.h"

namespace velmoro::internal {

TargetIndex::TargetIndex(const PreparedText& source, TextView target)
    : source_(source),
      target_(target),
      search_budget_(kPassesBeforeAutomaton * target.size() + kUnitsBeforeAutomaton) {}

std::size_t TargetIndex::First(TextView word) {
  if (target_.size() < kRememberFrom) return FindUnits(target_, word);
  if (const auto known = FromAutomaton(word)) return known->first;
  return Remember(remembered_[word].first, [&] {
    const std::size_t found = FindUnits(target_, word);
    return Searched(found, found == kNone ? target_.size() : found + word.size());
  });
}

std::size_t TargetIndex::Last(TextView word) {
  if (target_.size() < kRememberFrom) return FindLastUnits(target_, word);
  if (const auto known = FromAutomaton(word)) return known->last;
  return Remember(remembered_[word].last, [&] {
    const std::size_t found = FindLastUnits(target_, word);
    return Searched(found, found == kNone ? target_.size() : target_.size() - found);
  });
}

bool TargetIndex::KnownAbsent(TextView word) const {
  if (const auto known = FromAutomaton(word)) return !known->found();
  if (remembered_.empty()) return false;
  const auto it = remembered_.find(word);
  return it != remembered_.end() &&
         (it->second.first == kNone || it->second.last == kNone);
}

std::optional<Occurrences> TargetIndex::FromAutomaton(TextView word) const {
  if (!automaton_) return std::nullopt;
  return automaton_->Find(word);
}

// Charges a direct search to the budget and builds the automaton once the
// budget is spent.
std::size_t TargetIndex::Searched(std::size_t found, std::size_t cost) {
  search_budget_ -= std::min(cost, search_budget_);
  if (search_budget_ == 0 && !automaton_) automaton_.emplace(source_, target_);
  return found;
}

}  // namespace velmoro::internal
