#pragma once

// What a Compare that ended in an error tells its user: what happened, in the
// user's terms, what to do about it, and the error kind's name for people who
// look it up, with what the kind is in plain words ("division by zero") where
// its name does not say. Every front shows these same words.

#include <string>

#include "compare_action.h"

namespace velmoro::internal {

// The message for outcome's error; empty when the Compare completed. Texts are
// named "text 1" and "text 2" (capitalised at the start of a sentence).
[[nodiscard]] std::string CompareMessage(const CompareOutcome& outcome);

// The practical limit of the measure: past about this many words a text's
// self-score passes 32767.
inline constexpr int kPracticalWordLimit = 130;

}  // namespace velmoro::internal
