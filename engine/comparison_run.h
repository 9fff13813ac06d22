#pragma once

// The comparison run: RunComparison, ResultValue and the panel texts, whose
// declarations callers see in velmoro/procedures.h; here, what only the
// project's own fronts need beside them.

#include "text_primitives.h"
#include "velmoro/procedures.h"

namespace velmoro {

// The first panels of the two status bars, which name their directions.
inline constexpr TextView kStatusBar1Label = u"1-2";
inline constexpr TextView kStatusBar2Label = u"2-1";

}  // namespace velmoro
