#pragma once

// velmoro-cli's messages on standard error, each a line of its own.

#include <string_view>

namespace velmoro::cli {

// "velmoro-cli: " and message, on a line of standard error.
void Complain(std::string_view message);

}  // namespace velmoro::cli
