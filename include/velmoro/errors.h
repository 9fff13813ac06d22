#pragma once

// The run-time errors that can end a comparison: their kinds, and the one
// exception type that carries a kind (and, for an overflow, what overflowed)
// from where it is raised to the top of a Compare.

#include <array>
#include <exception>
#include <optional>
#include <string_view>

namespace velmoro {

// The values are the kinds' codes less one (ErrorCode).
enum class ErrorKind {
  Overflow,         // a checked Integer or Long result left its type's range
  FPException,      // a checked floating-point result came from a division by
                    // zero, an invalid operation or an overflow
  InvalidArgument,  // Left or Right was asked for a negative count
  BoundsError,      // an index into DirectionScores lay outside 0 to 4
};

// Every kind, in the order of their codes: a kind's code is 1 + its index
// here, and 0 stands for no error.
inline constexpr std::array<ErrorKind, 4> kErrorKinds{
    ErrorKind::Overflow, ErrorKind::FPException, ErrorKind::InvalidArgument,
    ErrorKind::BoundsError};

[[nodiscard]] constexpr int ErrorCode(std::optional<ErrorKind> kind) {
  return kind ? static_cast<int>(*kind) + 1 : 0;
}

// The kind's own name: "Overflow", "FPException", "InvalidArgument" or
// "BoundsError".
[[nodiscard]] std::string_view ErrorKindName(ErrorKind kind);

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
