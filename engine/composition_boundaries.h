#pragma once

// Where the composed normal form (NFC) may change a text, for the web build,
// which composes with the platform's own normaliser: the same boundaries as
// ICU's, from a table made from ICU when the engine is built.

namespace velmoro::internal {

// Whether NFC never combines code point c with what precedes it, so that a
// text can be composed in pieces cut before c.
[[nodiscard]] bool HasCompositionBoundaryBefore(char32_t c);

}  // namespace velmoro::internal
