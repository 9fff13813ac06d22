#include "word_walk.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "normalize_text.h"

namespace velmoro {

namespace {

std::uint32_t ToPlace(std::size_t index) { return static_cast<std::uint32_t>(index); }

WalkedWord Explained(const WordStep& step) {
  WalkedWord word;
  word.sourceStart = ToPlace(step.sourceStart);
  word.length = ToPlace(step.word.size());
  if (step.position == 0) return word;
  word.targetStart = ToPlace(step.targetStart);
  word.byContext = step.byContext;
  if (step.byContext) {
    word.following = step.following;
    word.preceding = step.preceding;
    word.points = AddInteger(step.following, step.preceding);
  } else {
    word.points = 1;
  }
  return word;
}

// The source places come in scan order, so one walk over the source maps
// them all.
void MapSourcePlaces(std::vector<WalkedWord>& words, TextView source) {
  RawPlaces places(source);
  for (WalkedWord& word : words) word.sourceStart = ToPlace(places.RawIndexOf(word.sourceStart));
}

// Target places come in any order: they are mapped in ascending order, by
// the index of their word.
void MapTargetPlaces(std::vector<WalkedWord>& words, TextView target) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> found;  // (place, word)
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i].found()) found.emplace_back(words[i].targetStart, ToPlace(i));
  }
  std::sort(found.begin(), found.end());
  RawPlaces places(target);
  for (const auto& [place, word] : found) words[word].targetStart = ToPlace(places.RawIndexOf(place));
}

}  // namespace

Text NormalizedWord(TextView source, const WalkedWord& word) {
  return NormalizeText(source.substr(word.sourceStart, word.length));
}

WordObserver WalkRecorder::Started(Integer direction) {
  std::optional<DirectionWalk>& entry = walks_[static_cast<std::size_t>(direction - 1)];
  entry.emplace().direction = direction;
  return [&words = entry->words](const WordStep& step) { words.push_back(Explained(step)); };
}

void WalkRecorder::Scored(Integer direction) {
  walks_[static_cast<std::size_t>(direction - 1)]->complete = true;
}

Walks WalkRecorder::Finish(const ComparisonState& state) {
  for (std::optional<DirectionWalk>& entry : walks_) {
    if (!entry) continue;
    entry->score = state.DirectionScores[static_cast<std::size_t>(entry->direction)];
    const auto [source, target] = SourceAndTarget(entry->direction, texts_[0], texts_[1]);
    MapSourcePlaces(entry->words, source);
    MapTargetPlaces(entry->words, target);
  }
  return std::move(walks_);
}

}  // namespace velmoro
