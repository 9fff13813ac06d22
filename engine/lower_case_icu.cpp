#include <unicode/uchar.h>

#include "lower_case.h"

namespace velmoro::internal {

char32_t SimpleLowerCase(char32_t c) {
  return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
}

}  // namespace velmoro::internal
