#include <emscripten.h>

#include "composed_form.h"
#include "composition_boundaries.h"
#include "utf8_text.h"

// -1 when the length units at units are in NFC already; else the number of
// units of their NFC, written to out unless out is null (out has room for
// three times length units, NFC's greatest growth). The units are read in
// slices, as a call takes a bounded number of arguments.
EM_JS(int, ComposeInJs, (const char16_t* units, std::size_t length, char16_t* out), {
  const first = units >> 1;
  let text = "";
  for (let at = 0; at < length; at += 8192) {
    const slice = HEAPU16.subarray(first + at, first + Math.min(length, at + 8192));
    text += String.fromCharCode.apply(null, slice);
  }
  const composed = text.normalize("NFC");
  if (composed === text) return -1;
  if (out) {
    for (let i = 0; i < composed.length; ++i) HEAPU16[(out >> 1) + i] = composed.charCodeAt(i);
  }
  return composed.length;
});

namespace velmoro::internal {

namespace {

// NFC grows a text at most threefold.
constexpr std::size_t kGreatestGrowth = 3;
constexpr char16_t kFirstCombining = 0x300;

// Below the first combining mark every code point is composed and starts a
// piece of its own: most texts are told composed without asking the platform.
bool IsPlainlyComposed(std::u16string_view text) {
  for (const char16_t unit : text) {
    if (unit >= kFirstCombining) return false;
  }
  return true;
}

// The code point that starts at unit at.
char32_t CodePointAt(std::u16string_view text, std::size_t at) {
  const char16_t unit = text[at];
  if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
           (static_cast<char32_t>(text[at + 1]) - 0xDC00);
  }
  return unit;
}

// The first boundary after the code point at at.
std::size_t BoundaryAfter(std::u16string_view text, std::size_t at) {
  do {
    at += CodePointAt(text, at) >= 0x10000 ? 2 : 1;
  } while (at < text.size() && !HasCompositionBoundaryBefore(CodePointAt(text, at)));
  return at;
}

}  // namespace

// The text is cut at every boundary, and each piece that NFC changes is one
// stretch: the same pieces as ICU's normaliser finds.
std::vector<ComposedStretch> StretchesToCompose(std::u16string_view text) {
  if (IsPlainlyComposed(text) || ComposeInJs(text.data(), text.size(), nullptr) < 0) return {};
  std::vector<ComposedStretch> stretches;
  std::u16string composed;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = BoundaryAfter(text, start);
    const std::u16string_view piece = text.substr(start, end - start);
    composed.resize(piece.size() * kGreatestGrowth);
    const int units = ComposeInJs(piece.data(), piece.size(), composed.data());
    if (units >= 0) {
      composed.resize(static_cast<std::size_t>(units));
      stretches.push_back({start, end, composed});
    }
    start = end;
  }
  return stretches;
}

}  // namespace velmoro::internal
