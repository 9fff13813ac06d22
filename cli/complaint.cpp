#include "complaint.h"

#include <cstdio>

namespace velmoro::cli {

void Complain(std::string_view message) {
  std::fprintf(stderr, "velmoro-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

}  // namespace velmoro::cli
