#pragma once

// Running one scorer, the engine's or the literal reference model, on one
// direction and keeping everything it came to, so that two runs can be
// compared as values: the slot's final score (also when an error ended the
// scan, since what was added before stays), the error kind, and every word
// step the scan reported.

#include <optional>
#include <variant>
#include <vector>

#include "comparison_state.h"
#include "direction_scorer.h"
#include "literal_scorer.h"
#include "velmoro/errors.h"
#include "text_primitives.h"

namespace velmoro::properties {

using DirectionScorer = void (*)(Integer direction, TextView text1, TextView text2,
                                 ComparisonState& state, const internal::WordObserver& onWord);

// The engine's scan over units alone, which it keeps for texts beyond the
// word scan's limits: on any pair it must agree with the engine's choice.
void ScoreByUnits(Integer direction, TextView text1, TextView text2, ComparisonState& state,
                  const internal::WordObserver& onWord);

inline constexpr DirectionScorer kEngineScorer = &velmoro::internal::ScoreDirection;
inline constexpr DirectionScorer kUnitScanScorer = &ScoreByUnits;
inline constexpr DirectionScorer kReferenceScorer = &velmoro::reference::ScoreDirection;

// A WordStep with its word copied out of the scan.
struct RecordedStep {
  Text word;
  Integer position = 0;
  bool by_context = false;
  Integer following = 0;
  Integer preceding = 0;
  Integer score = 0;
  std::size_t source_start = 0;
  std::size_t target_start = 0;  // found words only
  bool operator==(const RecordedStep&) const = default;
};

struct DirectionOutcome {
  Integer score = 0;                // the direction's slot when the scan ended
  std::optional<ErrorKind> error;   // the error that ended it, if any
  std::vector<RecordedStep> steps;  // the words walked, in order
  bool operator==(const DirectionOutcome&) const = default;
};

// Scores direction (1 to 4) over text1 and text2 with scorer, starting from a
// zero slot. Never throws a RuntimeError: it is kept in the outcome.
[[nodiscard]] DirectionOutcome ScoreWith(DirectionScorer scorer, Integer direction,
                                         TextView text1, TextView text2);

// What a call returned, or the kind of the RuntimeError it raised.
template <typename Value>
using Attempt = std::variant<Value, ErrorKind>;

template <typename Call>
[[nodiscard]] auto Try(Call call) -> Attempt<decltype(call())> {
  try {
    return call();
  } catch (const RuntimeError& error) {
    return error.kind();
  }
}

}  // namespace velmoro::properties
