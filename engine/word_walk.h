#pragma once

// The words a Compare walked: for each direction that started, how many words
// of its source its scan walked, and for each of them that was found, where
// in the target text and what it earned. Places are 0-based offsets into the
// two texts as the Compare was given them, in units; a word's units are as
// many in the source as where it was found. Only found words are kept, at
// most one for each point of a score, so a long text whose words are not
// found costs nothing here: its walked words are read again from the text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

#include "checked_arithmetic.h"
#include "comparison_state.h"
#include "direction_scorer.h"
#include "normalize_text.h"
#include "text_primitives.h"

namespace velmoro::internal {

// A walked word that was found.
struct FoundWord {
  std::uint32_t word = 0;         // its index among the walked words
  std::uint32_t target_start = 0;  // where its match starts in the target
  std::uint32_t prepared_target_start = 0;  // the same in the prepared target
  Integer following = 0;          // by context only
  Integer preceding = 0;          // by context only
  bool by_context = false;
};

struct DirectionWalk {
  Integer direction = 0;
  bool complete = false;   // false when an error ended the scan
  Integer score = 0;       // the direction's slot when the scan ended
  std::size_t walked = 0;  // the words walked, the first ones of the source
  std::vector<FoundWord> found;  // by word
};

// Directions 1 to 4 at indices 0 to 3; a direction that never started is
// absent.
using Walks = std::array<std::optional<DirectionWalk>, 4>;

// One walked word, as ForEachWalkedWord hands it out.
struct WalkedWord {
  static constexpr std::size_t kNotFound = std::numeric_limits<std::size_t>::max();

  std::size_t source_start = 0;
  std::size_t length = 0;  // 0 for the empty word that a leading mark makes
  std::size_t target_start = kNotFound;
  Integer points = 0;      // 0 not found; 1 a single point; else the two runs
  Integer following = 0;   // by context only
  Integer preceding = 0;   // by context only
  bool by_context = false;

  [[nodiscard]] bool found() const { return target_start != kNotFound; }
};

// Calls visit with every word walk walked, in scan order; source is the raw
// source text of walk's direction.
template <typename Visit>
void ForEachWalkedWord(TextView source, const DirectionWalk& walk, Visit visit);

// The word as the scan sees it: the source's units it came from, normalised.
[[nodiscard]] Text NormalizedWord(TextView source, const WalkedWord& word);

// Records the Walks while a Compare of text1 and text2 runs: the scan
// reports places in the prepared texts, which Finish maps back to the texts
// as given.
class WalkRecorder {
 public:
  // Both texts must outlive the recorder.
  WalkRecorder(TextView text1, TextView text2) : texts_{text1, text2} {}

  // Starts direction's entry; the observer records its words.
  [[nodiscard]] WordObserver Started(Integer direction);

  // Marks direction as complete.
  void Scored(Integer direction);

  // The walks, with each direction's score taken from state.
  [[nodiscard]] Walks Finish(const ComparisonState& state);

 private:
  std::array<TextView, 2> texts_;
  Walks walks_;
};

template <typename Visit>
void ForEachWalkedWord(TextView source, const DirectionWalk& walk, Visit visit) {
  RawWords words(source);
  auto found = walk.found.begin();
  for (std::size_t i = 0; i < walk.walked; ++i) {
    WalkedWord word;
    std::tie(word.source_start, word.length) = words.Next();
    if (found != walk.found.end() && found->word == i) {
      word.target_start = found->target_start;
      word.by_context = found->by_context;
      word.following = found->following;
      word.preceding = found->preceding;
      word.points = found->by_context ? AddInteger(found->following, found->preceding) : 1;
      ++found;
    }
    visit(word);
  }
}

}  // namespace velmoro::internal
