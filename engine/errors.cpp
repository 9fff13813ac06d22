#include "velmoro/errors.h"

namespace velmoro {

std::string_view ErrorKindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Overflow:
      return "Overflow";
    case ErrorKind::FPException:
      return "FPException";
    case ErrorKind::InvalidArgument:
      return "InvalidArgument";
    case ErrorKind::BoundsError:
      return "BoundsError";
  }
  return "Unknown";
}

// Every name is a literal, so the view is null-terminated.
const char* RuntimeError::what() const noexcept {
  return ErrorKindName(kind_).data();
}

}  // namespace velmoro
