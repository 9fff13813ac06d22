#pragma once

// Unicode's composed normal form (NFC) of a text, so that canonically
// equivalent texts ("café" typed with U+00E9 or with e and U+0301) compare
// alike. The form is given as the stretches that change, so that a caller can
// map places of the composed text back to the text as given, at the
// boundaries of those stretches.
//
// One implementation a platform: ICU's normaliser natively
// (composed_form_icu.cpp), the browser's own String.prototype.normalize in the
// web build.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmoro::internal {

// Units [start, end) of a text, which NFC rewrites as composed.
struct ComposedStretch {
  std::size_t start = 0;
  std::size_t end = 0;
  std::u16string composed;
};

// The stretches of text (UTF-16; a lone surrogate is a code point of its own)
// that NFC changes, in order and disjoint, each from one normalisation
// boundary to another. Empty for a text already in NFC, the usual case, which
// is told quickly.
[[nodiscard]] std::vector<ComposedStretch> StretchesToCompose(std::u16string_view text);

}  // namespace velmoro::internal
