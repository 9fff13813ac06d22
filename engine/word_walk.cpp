#include "word_walk.h"

#include <algorithm>
#include <utility>

#include "normalize_text.h"

namespace velmoro::internal {

namespace {

std::uint32_t ToPlace(std::size_t index) { return static_cast<std::uint32_t>(index); }

// Target places come in any order: they are mapped in ascending order.
void MapTargetPlaces(std::vector<FoundWord>& found, TextView target) {
  std::vector<FoundWord*> byPlace;
  byPlace.reserve(found.size());
  for (FoundWord& word : found) byPlace.push_back(&word);
  std::sort(byPlace.begin(), byPlace.end(), [](const FoundWord* a, const FoundWord* b) {
    return a->target_start < b->target_start;
  });
  RawPlaces places(target);
  for (FoundWord* word : byPlace)
    word->target_start = ToPlace(places.RawIndexOf(word->target_start));
}

}  // namespace

Text NormalizedWord(TextView source, const WalkedWord& word) {
  return NormalizeText(source.substr(word.source_start, word.length));
}

WordObserver WalkRecorder::Started(Integer direction) {
  std::optional<DirectionWalk>& entry = walks_[static_cast<std::size_t>(direction - 1)];
  entry.emplace().direction = direction;
  return [&walk = *entry](const WordStep& step) {
    if (step.position > 0) {
      walk.found.push_back({ToPlace(walk.walked), ToPlace(step.target_start),
                            ToPlace(step.target_start), step.following, step.preceding,
                            step.by_context});
    }
    ++walk.walked;
  };
}

void WalkRecorder::Scored(Integer direction) {
  walks_[static_cast<std::size_t>(direction - 1)]->complete = true;
}

Walks WalkRecorder::Finish(const ComparisonState& state) {
  for (std::optional<DirectionWalk>& walk : walks_) {
    if (!walk) continue;
    walk->score = state.DirectionScores[static_cast<std::size_t>(walk->direction)];
    MapTargetPlaces(walk->found, SourceAndTarget(walk->direction, texts_[0], texts_[1]).second);
  }
  return std::move(walks_);
}

}  // namespace velmoro::internal
