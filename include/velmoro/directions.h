#pragma once

// The shape of a comparison, which every part of Velmoro reads from here: the
// four directions and which text each takes as its source and its target, the
// two status bars with their labels and the direction whose score each panel
// shows, and the names of the texts.
//
// A direction is named by its code, 1 to 4. An array of four things of the
// directions holds direction d at index d - 1 (DirectionIndex).

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace velmoro {

inline constexpr int kDirectionCount = 4;

// The source and the target of a direction, each text 1 or text 2.
struct DirectionTexts {
  int source = 0;
  int target = 0;
};

// 1: text 1 against text 2; 2: text 2 against text 1; 3: text 1 against
// itself; 4: text 2 against itself.
inline constexpr std::array<DirectionTexts, kDirectionCount> kDirectionTexts{
    {{1, 2}, {2, 1}, {1, 1}, {2, 2}}};

// Where direction (1 to 4) stands in an array of four.
[[nodiscard]] constexpr std::size_t DirectionIndex(int direction) {
  return static_cast<std::size_t>(direction - 1);
}

// A status bar: its label panel, then the self-score panel ("STD: " and the
// score of selfDirection), then the cross-score panel ("#: " and the score of
// crossDirection).
struct StatusBarShape {
  std::string_view label;
  int selfDirection = 0;
  int crossDirection = 0;
};

inline constexpr std::array<StatusBarShape, 2> kStatusBars{{{"1-2", 3, 1}, {"2-1", 4, 2}}};

inline constexpr std::string_view kSelfScorePrefix = "STD: ";
inline constexpr std::string_view kCrossScorePrefix = "#: ";

// "text 1" or "text 2"; capitalised, "Text 1", to start a sentence.
[[nodiscard]] inline std::string TextName(int text) { return "text " + std::to_string(text); }
[[nodiscard]] inline std::string CapitalTextName(int text) {
  return "Text " + std::to_string(text);
}

}  // namespace velmoro
