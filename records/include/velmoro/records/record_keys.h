#pragma once

// The names in a comparison's record: its keys and the words some of its
// values are, as velmoro-cli --json prints them, the browser module returns
// them and the Python module's explain gives them. Each list holds its keys
// in the order a record has them; the browser module's and the Python
// module's declared types are checked against these lists.

#include <array>
#include <string_view>

#include "velmoro/velmoro.h"

namespace velmoro::records {

// The keys, each a translation unit's own (not inline), so that the compiler
// writes a key's characters and length into the code that writes it.
namespace key {

// Where the pair was read, in a run over many pairs: its line and the id it
// gave.
constexpr std::string_view kLine = "line";
constexpr std::string_view kId = "id";

// What the Compare gave.
constexpr std::string_view kScores = "scores";
constexpr std::string_view kLengthFactor = "length_factor";
constexpr std::string_view kStatus1 = "status1";
constexpr std::string_view kStatus2 = "status2";
constexpr std::string_view kResult = "result";
constexpr std::string_view kDistance = "distance";
constexpr std::string_view kError = "error";
constexpr std::string_view kMessage = "message";

// The explanation, after the rest of the record.
constexpr std::string_view kExplain = "explain";

// Why a pair could not be read, in place of what the Compare gave.
constexpr std::string_view kInputError = "input_error";

// One direction of the explanation. Its source and target are texts' names;
// a word's are places in those texts.
constexpr std::string_view kDirection = "direction";
constexpr std::string_view kSource = "source";
constexpr std::string_view kTarget = "target";
constexpr std::string_view kComplete = "complete";
constexpr std::string_view kScore = "score";
constexpr std::string_view kWords = "words";

// One word a direction walked.
constexpr std::string_view kWord = "word";
constexpr std::string_view kPoints = "points";
constexpr std::string_view kFollowing = "following";
constexpr std::string_view kPreceding = "preceding";
constexpr std::string_view kNotFound = "not_found";

}  // namespace key

// The keys of each object of a record, in their order. The place's keys are
// there only where known; a word's not_found only for a word of a completed
// direction that earned nothing.
inline constexpr std::array kPlaceKeys{key::kLine, key::kId};
inline constexpr std::array kComparisonKeys{key::kScores, key::kLengthFactor, key::kStatus1,
                                            key::kStatus2, key::kResult,       key::kDistance,
                                            key::kError,   key::kMessage};
inline constexpr std::array kDirectionKeys{key::kDirection, key::kSource, key::kTarget,
                                           key::kComplete,  key::kScore,  key::kWords};
inline constexpr std::array kWordKeys{key::kWord,      key::kSource,    key::kTarget,
                                      key::kPoints,    key::kFollowing, key::kPreceding,
                                      key::kNotFound};

// A direction's source and target: text 1 or 2.
inline constexpr std::array<std::string_view, 2> kTextNames{"text1", "text2"};

// Why a word earned nothing, by NotFound.
inline constexpr std::array<std::string_view, 2> kNotFoundNames{"absent", "used"};

// "text1" for text 1, "text2" for text 2.
[[nodiscard]] constexpr std::string_view TextValue(int text) {
  return kTextNames[static_cast<std::size_t>(text - 1)];
}

[[nodiscard]] constexpr std::string_view NotFoundValue(NotFound reason) {
  return kNotFoundNames[static_cast<std::size_t>(reason)];
}

}  // namespace velmoro::records
