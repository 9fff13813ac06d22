#pragma once

// The one error type of the engine. A comparison either completes or ends in a
// run-time error of one of four kinds; the error carries nothing but its kind
// and is caught once, at the top of the Compare action.

#include <exception>
#include <string_view>

namespace velmoro {

enum class ErrorKind {
  Overflow,         // a checked Integer or Long result left its type's range
  FPException,      // a checked floating-point result came from a division by
                    // zero, an invalid operation or an overflow
  InvalidArgument,  // Left or Right was asked for a negative count
  BoundsError,      // an index into DirectionScores lay outside 0 to 4
};

// The kind's own name: "Overflow", "FPException", "InvalidArgument" or
// "BoundsError".
[[nodiscard]] std::string_view ErrorKindName(ErrorKind kind);

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(ErrorKind kind) : kind_(kind) {}

  [[nodiscard]] ErrorKind kind() const { return kind_; }
  [[nodiscard]] const char* what() const noexcept override;

 private:
  ErrorKind kind_;
};

}  // namespace velmoro
