#pragma once

// The JSON object of one --batch line, read strictly: the line holds one
// object and nothing else, every value in it is well-formed JSON however
// deep it nests, and every string is Unicode text (no lone surrogate), so
// that an id written back as the line wrote it is always valid JSON. Of the
// members, text1, text2 and id are kept and any other only checked; a
// number is checked for its form alone, so that one no double holds does no
// harm.

#include <array>
#include <string>
#include <string_view>

#include "pair_run.h"

namespace velmoro::cli {

// Whether line holds only JSON white space.
[[nodiscard]] bool IsBlankLine(std::string_view line);

// Reads line into pair: its texts and id, or its problem, which names the
// member at fault and the byte where the fault stands. The texts are views
// into line, or into decoded where escapes change them; the id is a view
// into line, given whenever the line is valid JSON. A pair whose texts run
// out of memory as they are decoded keeps its id.
void ReadBatchLine(std::string_view line, PairLine& pair, std::array<std::string, 2>& decoded);

}  // namespace velmoro::cli
