#include "checked_arithmetic.h"

#include <limits>

#include "velmoro/errors.h"

namespace velmoro::internal {

namespace {

template <typename Narrow>
Narrow Narrowed(std::int64_t x) {
  if (x < std::numeric_limits<Narrow>::min() ||
      x > std::numeric_limits<Narrow>::max()) {
    throw RuntimeError(ErrorKind::Overflow);
  }
  return static_cast<Narrow>(x);
}

}  // namespace

Integer ToInteger(Long x) { return Narrowed<Integer>(x); }

Long ToLong(std::int64_t x) { return Narrowed<Long>(x); }

// Both operands fit in 64 bits with room to spare, so the wide result is exact.
Integer AddInteger(Integer a, Integer b) {
  return Narrowed<Integer>(std::int64_t{a} + b);
}

Long SubtractLong(Long a, Long b) { return Narrowed<Long>(std::int64_t{a} - b); }

Long Abs(Long x) { return Narrowed<Long>(x < 0 ? -std::int64_t{x} : x); }

}  // namespace velmoro::internal
