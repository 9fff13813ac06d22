#include "target_index.h"

#include <algorithm>

#include "substring_search.h"

namespace velmoro {

namespace {

// Searching may cost this many passes over the target, and a little more for
// short targets, before building the automaton pays off.
constexpr std::size_t kPassesBeforeAutomaton = 4;
constexpr std::size_t kUnitsBeforeAutomaton = 1 << 16;

std::size_t Cost(std::size_t found, std::size_t ifFound, std::size_t ifNot) {
  return found == kNotFound ? ifNot : ifFound;
}

}  // namespace

TargetIndex::TargetIndex(const PreparedText& source, TextView target)
    : source_(source),
      target_(target),
      searchBudget_(kPassesBeforeAutomaton * target.size() + kUnitsBeforeAutomaton) {}

Occurrences TargetIndex::Find(TextView word) {
  if (automaton_) {
    if (const auto known = automaton_->Find(word)) return *known;
  }
  if (const auto it = remembered_.find(word); it != remembered_.end()) {
    return it->second;
  }
  const Occurrences found = Search(word);
  remembered_.emplace(word, found);
  return found;
}

bool TargetIndex::KnownAbsent(TextView word) const {
  if (automaton_) {
    if (const auto known = automaton_->Find(word)) return !known->found();
  }
  const auto it = remembered_.find(word);
  return it != remembered_.end() && !it->second.found();
}

Occurrences TargetIndex::Search(TextView word) {
  Occurrences found;
  found.first = FindUnits(target_, word);
  if (found.found()) found.last = FindLastUnits(target_, word);
  const std::size_t cost =
      Cost(found.first, found.first + word.size(), target_.size()) +
      Cost(found.last, target_.size() - found.last, 0);
  searchBudget_ -= std::min(cost, searchBudget_);
  if (searchBudget_ == 0 && !automaton_) automaton_.emplace(source_, target_);
  return found;
}

}  // namespace velmoro
