#pragma once

// Which of two texts, or of anything kept for each of them, a direction takes
// as its source and as its target, by the table of velmoro/directions.h.

#include <utility>

#include "velmoro/directions.h"
#include "velmoro/errors.h"

namespace velmoro::internal {

// The source and the target of direction (1 to 4) among text1 and text2.
// Throws BoundsError for any other direction.
template <typename Texts>
[[nodiscard]] std::pair<const Texts&, const Texts&> SourceAndTarget(int direction,
                                                                   const Texts& text1,
                                                                   const Texts& text2) {
  if (direction < 1 || direction > kDirectionCount) throw RuntimeError(ErrorKind::BoundsError);
  const DirectionTexts texts = kDirectionTexts[DirectionIndex(direction)];
  return {texts.source == 1 ? text1 : text2, texts.target == 1 ? text1 : text2};
}
template <typename Texts>
void SourceAndTarget(int direction, const Texts&& text1, const Texts&& text2) = delete;

}  // namespace velmoro::internal
