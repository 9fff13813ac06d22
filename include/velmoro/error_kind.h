#pragma once

// The kinds of run-time error that can end a comparison.

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

}  // namespace velmoro
