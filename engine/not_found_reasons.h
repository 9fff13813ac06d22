#pragma once

// Why a word of a completed direction that earned nothing found nothing: a
// word that occurs nowhere in the prepared target is absent; one that does
// occur there was only ever met where earlier words of the direction had used
// the target up, and the earlier word found at its first occurrence is named
// where one word was found there.

#include <cstddef>
#include <optional>
#include <vector>

#include "prepared_text.h"
#include "target_index.h"
#include "velmoro/velmoro.h"
#include "word_walk.h"

namespace velmoro::internal {

class NotFoundReasons {
 public:
  struct Reason {
    NotFound kind = NotFound::Absent;
    std::optional<std::size_t> used_by;  // the index of the earlier word
  };

  // Over the raw source and target texts that walk was recorded on.
  NotFoundReasons(TextView source, TextView target, const DirectionWalk& walk);

  // The reason for the walked word at index, which was not found.
  [[nodiscard]] Reason Of(std::size_t index);

 private:
  // A found word's match in the prepared target.
  struct Match {
    std::size_t word = 0;
    std::size_t start = 0;
    std::size_t end = 0;
  };

  [[nodiscard]] std::optional<std::size_t> UsedBy(std::size_t index, std::size_t start,
                                                  std::size_t end) const;

  PreparedText source_;
  PreparedText target_;
  TargetIndex index_;
  std::vector<Match> matches_;  // by start
  std::size_t longest_match_ = 0;
};

}  // namespace velmoro::internal
