#pragma once

// The words a Compare walked: for each direction that started, every word its
// scan walked, in scan order, with the place it came from in the source
// text, the place it was found at in the target text, and what it earned.
// Places are 0-based offsets into the two texts as the Compare was given them,
// in units; a word's units are as many in the source as where it was found.

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "checked_arithmetic.h"
#include "comparison_state.h"
#include "direction_scorer.h"
#include "text_primitives.h"

namespace velmoro {

// Twenty bytes, since a long text of short words that are not found is
// walked word by word and each of them is kept.
struct WalkedWord {
  static constexpr std::uint32_t kNotFound = std::numeric_limits<std::uint32_t>::max();

  std::uint32_t sourceStart = 0;
  std::uint32_t length = 0;  // 0 for the empty word that a leading mark makes
  std::uint32_t targetStart = kNotFound;
  Integer points = 0;      // 0 not found; 1 a single point; else the two runs
  Integer following = 0;   // by context only
  Integer preceding = 0;   // by context only
  bool byContext = false;

  [[nodiscard]] bool found() const { return targetStart != kNotFound; }
};

struct DirectionWalk {
  Integer direction = 0;
  bool complete = false;  // false when an error ended the scan
  Integer score = 0;      // the direction's slot when the scan ended
  std::vector<WalkedWord> words;
};

// Directions 1 to 4 at indices 0 to 3; a direction that never started is
// absent.
using Walks = std::array<std::optional<DirectionWalk>, 4>;

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

}  // namespace velmoro
