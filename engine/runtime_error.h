#pragma once

// The one error type of the engine. A comparison either completes or ends in a
// run-time error of one of four kinds; the error carries its kind, and for an
// overflow what overflowed, and is caught once, at the top of the Compare
// action.

#include <exception>

#include "velmoro/error_kind.h"

namespace velmoro {

// What passed its limit when an Overflow was raised, told apart where the
// place that raises it knows, so that a message can say why in a user's terms.
enum class OverflowCause {
  Value,             // a checked sum, difference or narrowing: a score or a count
  Position,          // a place in a target text, counted from a search's start
  LongSourceWord,    // a word of the source longer than 32766 units
  LongTargetWord,    // a word of the target longer than 32766 units
};

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(ErrorKind kind, OverflowCause cause = OverflowCause::Value)
      : kind_(kind), cause_(cause) {}

  [[nodiscard]] ErrorKind kind() const { return kind_; }
  // Meaningful for an Overflow only.
  [[nodiscard]] OverflowCause cause() const { return cause_; }
  [[nodiscard]] const char* what() const noexcept override;

 private:
  ErrorKind kind_;
  OverflowCause cause_;
};

}  // namespace velmoro
