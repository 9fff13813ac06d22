#pragma once

// The text operations the comparison engine is written in. A Text is a
// sequence of 16-bit units; lengths and positions count units, positions are
// 1-based and 0 means "none". Comparison is unit by unit and case-sensitive.
// The scores depend on the exact edge behaviour of these operations (which
// character is a space, what a search for the empty text returns, what a
// negative count does), so each contract below states it.
//
// Pieces of an input come back as views into that input; new content comes
// back as an owned Text.

#include <string>
#include <string_view>

#include "checked_arithmetic.h"
#include "lower_case.h"
#include "velmoro/errors.h"
#include "velmoro/procedures.h"
#include "velmoro/text.h"

namespace velmoro::internal {

// The number of units in s. Throws Overflow for a text longer than a Long.
[[nodiscard]] Long Len(TextView s);

// s without its leading and trailing U+0020 spaces. Tabs, line breaks and
// every other kind of white space stay.
[[nodiscard]] TextView Trim(TextView s);

// s without its leading U+0020 spaces.
[[nodiscard]] TextView LeftTrim(TextView s);

}  // namespace velmoro::internal
