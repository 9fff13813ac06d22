#pragma once

// The types the comparison works in: texts of 16-bit units (UTF-16, as the
// window's text boxes hold them), and its two sizes of signed integer, whose
// every sum is checked.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmoro {

using Text = std::u16string;
using TextView = std::u16string_view;

using Integer = std::int16_t;
using Long = std::int32_t;

}  // namespace velmoro
